// A stand-in user for the demo: once the preferences window shows, it acts
// in it step by step from a timer of the driver's thread, as a user's
// clicks arrive, and closes it. Steps (control ids in decimal):
//   tab N            shows tab N of the window's sheet
//   click ID         presses a button, check box or radio button
//   type ID TEXT     types into an edit field
//   choose ID DATA   picks the list or combo entry whose item data is DATA
//   shot FILE        saves what the screen shows of the window (BMP)
//   seen ID          a window of the thread shows control ID (e.g. a menu the
//                    window opened by itself)
//   ok | cancel      closes the window
#pragma once

#include <string>
#include <vector>

// Arms the user; false (with a message) when a step is not understood.
bool StartScriptedUser(const std::vector<std::string>& steps);
// What the user did, one line per step, for the host to print.
const std::vector<std::string>& ScriptedUserLog();
