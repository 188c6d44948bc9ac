#pragma once
// The print preview window: shows the recorded pages of a run (PageRecorder) one page at a time
// with zoom. The caller sets the caption ("Preview Labels", "Preview Envelope", ...) and the
// initial zoom; once shown the caption follows the page and zoom ("Preview Page 1 of 3 ( 87% )").
// The window only shows pages; it does not print. Its placement is remembered like every
// resizable window's.

#include <QDialog>
#include <QString>

class QPushButton;
class QScrollArea;
class QToolButton;

namespace corvane {

class PageRecorder;

// The initial zoom: 1 = whole page, 2 = page width, any other value = that percent.
namespace PreviewZoom {
constexpr int WholePage = 1;
constexpr int PageWidth = 2;
} // namespace PreviewZoom

class TPreviewForm : public QDialog {
    Q_OBJECT
  public:
    // `pages` stays owned by the caller and must outlive the window.
    TPreviewForm(const PageRecorder& pages, const QString& caption, int initialZoom = PreviewZoom::WholePage,
                 QWidget* parent = nullptr);
    ~TPreviewForm() override;

    int PageCount() const;
    int CurrentPage() const { return FCurrentPage; } // from 1
    double Zoom() const { return FZoom; }            // percent

    void ShowPage(int page); // clamped to 1..PageCount()
    void FirstPage();
    void PriorPage();
    void NextPage();
    void LastPage();

    void SetZoom(double percent); // never below 10
    void ZoomIn();                // +10
    void ZoomOut();               // -10
    void ZoomToPageWidth();
    void ZoomToWholePage();
    void Zoom100();
    // The zoom that fits the page width, or the whole page, into the scroll box.
    double PageWidthZoom() const;
    double WholePageZoom() const;

    // First activation: placement, initial zoom, page buttons hidden for fewer than 2 pages.
    // Runs on the first show; tests may call it directly.
    void Activate();

    QScrollArea* ScrollBox;
    QWidget* PageImage; // the page at the current zoom; objectName "PageImage"
    QPushButton* OkButton;
    QToolButton* ZoomInButton;
    QToolButton* ZoomOutButton;
    QToolButton* PageWidthButton;
    QToolButton* WholePageButton;
    QToolButton* Zoom100Button;
    QToolButton* FirstPageButton;
    QToolButton* PriorPageButton;
    QToolButton* NextPageButton;
    QToolButton* LastPageButton;
    QPushButton* HelpButton;
    QToolButton* MouseHelpButton;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Redraw();
    void UpdateCaption();

    const PageRecorder& FPages;
    int FInitialZoom;
    int FCurrentPage = 1;
    double FZoom = 100.0;
    bool FActivated = false;
    bool FPlacementSaved = false;
};

// Shows the preview modally and returns when it closes.
void ShowPreview(const PageRecorder& pages, const QString& caption, int initialZoom,
                 QWidget* parent = nullptr);

} // namespace corvane
