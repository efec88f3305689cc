// The window's choices that last between runs (kept with the recent files, in the program's
// settings): the even-step and the groups-on-sheet items of «Сервис».
#pragma once

namespace lumora {

bool savedEvenSteps();
void saveEvenSteps(bool on);
// «Сервис» -> «Группы по толщине в листе и книге».
bool savedGroupsOnSheet();
void saveGroupsOnSheet(bool on);

}  // namespace lumora
