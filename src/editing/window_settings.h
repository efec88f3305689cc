// The window's choices that last between runs (kept with the recent files, in the program's
// settings): the even-step item of «Сервис».
#pragma once

namespace lumora {

bool savedEvenSteps();
void saveEvenSteps(bool on);

}  // namespace lumora
