#pragma once
// "Envelope Print", shown before every envelope print or preview: the printer as it stands
// (printer, paper, source, orientation), the feed with its picture and description, and a red
// warning while the printer's page does not fit the envelope. "Printer Setup" and "Paper Feed
// Method" change them here; Ok gives the feed settings back.

#include <QDialog>

#include "envelopes/EnvelopeSettings.h"

class QLabel;
class QPushButton;

namespace corvane {

class EnvelopeFeedPicture;
class PrintEngine;

class TEnvelopePrePrint : public QDialog {
    Q_OBJECT
  public:
    TEnvelopePrePrint(PrintEngine& engine, const EnvelopeFeed& feed, int code, QWidget* parent = nullptr);

    const EnvelopeFeed& Feed() const { return FFeed; }
    bool WarningShown() const;

    // ---- handlers ----
    void PrinterSetupButtonClick();
    void PaperFeedButtonClick();
    // Refreshes the printer box, the feed picture and description, and the warning.
    void ShowSettings();

    QLabel* PrinterValue;
    QLabel* PaperValue;
    QLabel* SourceValue;
    QLabel* OrientationValue;
    EnvelopeFeedPicture* Picture;
    QLabel* FeedDescriptionLabel;
    QLabel* WarningLabel;
    QPushButton* PrinterSetupButton;
    QPushButton* PaperFeedButton;

  private:
    PrintEngine& FEngine;
    EnvelopeFeed FFeed;
    int FCode;
};

} // namespace corvane
