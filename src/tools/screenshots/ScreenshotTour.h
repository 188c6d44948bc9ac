#pragma once
// For review: with CORVANE_SCREENSHOTS set to a folder, the program opens each window of the
// record-keeping and label work in turn, saves a picture of it there (main.png, preferences.png,
// ...) and ends. Nothing of the user's data changes except what the pictures show being typed;
// the label run prints to labels.pdf in that folder.

#include <QString>

namespace corvane {

class TAddressMain;

void TakeScreenshots(TAddressMain& main, const QString& folder);

} // namespace corvane
