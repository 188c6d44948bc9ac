#pragma once
// "ASCII File Import Match Fields": the sample lines as a grid of numbered columns ("Sample ASCII
// Fields") above the field match.

#include "importexport/AsciiSample.h"
#include "importexport/windows/TMatchWindow.h"

class QTableWidget;

namespace corvane {

class TAsciiMatch : public TMatchWindow {
    Q_OBJECT
  public:
    TAsciiMatch(const MatchModel& match, const AsciiSample& sample, const QString& fileName, QWidget* parent);

    QTableWidget* SampleGrid = nullptr;
};

} // namespace corvane
