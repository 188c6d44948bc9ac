#pragma once
// The folder that holds CORVAN.ini, sysdata, DATA and PRESORT.PSL: CORVANE_HOME when set, else
// the executable's folder when it holds sysdata (a build tree or a portable copy), else the
// user's data folder. Always ends in "/".

#include <string>

namespace corvane {

std::string ProgramDirectory();
// The settings file inside it.
std::string SettingsFilePath();

}  // namespace corvane
