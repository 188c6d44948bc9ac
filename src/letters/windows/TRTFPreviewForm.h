#pragma once
// "Preview Letters": one merged letter at a time, a white page on grey, page by page, at a zoom;
// the record buttons move the main window's record (through the lent view) and merge the letter
// with the new record. A click on the page zooms in with the left button, out with any other.

#include <memory>

#include <QDate>
#include <QDialog>

#include "letters/LetterDocument.h"
#include "letters/LetterPreviewPaging.h"

class QLabel;
class QScrollArea;
class QToolButton;

namespace corvane {

class DocumentPages;
class ToolWindowView;

class TRTFPreviewForm : public QDialog {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1086;
    // The template is copied; the view outlives the window.
    TRTFPreviewForm(const LetterDocument& letter, const ToolWindowView& addresses, QWidget* parent = nullptr,
                    QDate today = QDate::currentDate());
    ~TRTFPreviewForm() override;

    const LetterPreviewPaging& Paging() const { return FPaging; }
    // The merged letter on show.
    const LetterDocument& Merged() const { return FMerged; }

    void ZoomInClick();
    void ZoomOutClick();
    void PageWidthClick();
    void WholePageClick();
    void NextPageClick();
    void PreviousPageClick();
    void RecordClick(int step); // RecordStep as int
    // Merges the template with the current record and shows its first page.
    void MergeCurrentRecord();
    // Sizes the page for the zoom and draws it (also after every resize).
    void LayOutPage();

    QToolButton* OkButton;
    QToolButton* ZoomInButton;
    QToolButton* ZoomOutButton;
    QToolButton* PageWidthButton;
    QToolButton* WholePageButton;
    QToolButton* PreviousPageButton;
    QToolButton* NextPageButton;
    QToolButton* FirstRecordButton;
    QToolButton* PriorRecordButton;
    QToolButton* NextRecordButton;
    QToolButton* LastRecordButton;
    QToolButton* HelpButton;
    QScrollArea* ScrollBox;
    QWidget* PagePanel;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void PaintPage();
    double ScreenDpi() const;

    LetterDocument FTemplate;
    LetterDocument FMerged;
    std::unique_ptr<DocumentPages> FPages;
    const ToolWindowView& FAddresses;
    QDate FToday;
    LetterPreviewPaging FPaging;
};

} // namespace corvane
