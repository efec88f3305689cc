// The window's commands for the thickness groups and the consolidated statement:
//   «Файл» -> «Сводная ведомость...»                 the statement dialog (ui/statement_dialog.h)
//   «Вид» -> «Группы по толщине»                     a small window that follows the tally
//   «Сервис» -> «Группы по толщине в листе и книге»  the groups under the totals of the printed
//                                                    sheet and the workbook (kept between runs)
#pragma once

class QMenu;

namespace lumora {

class MainWindow;

void addStatementCommands(MainWindow &window, QMenu *file, QMenu *view, QMenu *services);

}  // namespace lumora
