#include "tools/screenshots/ScreenshotTour.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "app/NewFileFieldLengths.h"
#include "app/TAddressBrowseForm.h"
#include "app/TAddressMain.h"
#include "app/TAddressQueryForm.h"
#include "app/TCVReindex.h"
#include "app/TCVWSearching.h"
#include "app/TCopyToClipBoard.h"
#include "app/TDateSelector.h"
#include "app/TGetFirstLastZip.h"
#include "app/TGettingStarted.h"
#include "app/TNewDataBaseName.h"
#include "app/TPreferences.h"
#include "app/TSearchBox.h"
#include "app/TSpecifyFieldLengths.h"
#include "app/TSplashform.h"
#include "app/TSystemReindex.h"
#include "bulkmail/windows/TSortBulkMail.h"
#include "core/AddressFile.h"
#include "dialer/windows/TCVDialer.h"
#include "dialer/windows/TfrmTAPICall.h"
#include "labels/LabelDesignSession.h"
#include "labels/LabelTemplateQuery.h"
#include "labels/windows/TChooseLabelLayout.h"
#include "labels/windows/TLabelDesignScreen.h"
#include "labels/windows/TLabelEdit.h"
#include "labels/windows/TLabelPrinter.h"
#include "labels/windows/TLabelSetupScreen.h"
#include "labels/windows/TSelectLabel.h"
#include "labels/windows/TSelectSpecificLabels.h"
#include "layout/TGImage.h"
#include "layout/TGLabelPanel.h"
#include "layout/TGPostNetBarCode.h"
#include "platform/ProgramDirectory.h"
#include "platform/windows/HelpViewer.h"
#include "printing/PrintEngine.h"
#include "printing/PrinterList.h"
#include "printing/windows/TPreviewForm.h"
#include "session/FilterQuery.h"

namespace corvane {

namespace {

// Lets the window be laid out and painted (and, under a window manager, placed).
void Settle()
{
    QEventLoop loop;
    QTimer::singleShot(150, &loop, &QEventLoop::quit);
    loop.exec();
}

void Save(QWidget& window, const QString& folder, const QString& name)
{
    window.show();
    window.raise();
    Settle();
    const QString path = QDir(folder).filePath(name);
    if (!window.grab().save(path))
        qWarning("Cannot save %s", qPrintable(path));
}

template <class Window> void SaveDialog(Window& window, const QString& folder, const QString& name)
{
    Save(window, folder, name);
    window.close();
}

// A small picture for the label: a stamp-like square with a letter.
TGPicture SamplePicture()
{
    QImage image(48, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x1f, 0x4e, 0x9a), 3));
    painter.setBrush(QColor(0xdd, 0xe8, 0xf7));
    painter.drawRoundedRect(QRectF(3, 3, 42, 42), 6, 6);
    QFont font("Serif", 20, QFont::Bold);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, 48, 48), Qt::AlignCenter, "C");
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    TGPicture picture;
    picture.GraphicKind = TGPicture::Kind::Bitmap;
    picture.Bytes = bytes.toStdString();
    return picture;
}

// An address block, a picture and a POSTNET bar code on the designer's label.
void AddSampleLabelElements(TGLabelPanel& panel)
{
    panel.SetPanelState(TPanelState::psAddressLabel);
    if (TGGraphicControl* block = panel.CreateElement({6, 6, 176, 60}))
        panel.FinishNewElement(*block);
    panel.SetPanelState(TPanelState::psPointing);

    auto image = std::make_unique<TGImage>();
    image->SetPicture(SamplePicture());
    image->SetStretch(true);
    panel.DropElement(std::move(image), {196, 8, 48, 48});

    auto barCode = std::make_unique<TGPostNetBarCode>();
    barCode->SetZipCodeField("ZIP");
    barCode->SetBarCodeType(TPostNetBarCodeType::pnbc5Digit);
    // The designer draws every POSTNET bar code as the same 2.8-inch sample (270 x 16 pixels), so
    // on this narrow label it reaches past the edge, as the tool's width rule warns.
    panel.DropElement(std::move(barCode), {6, 74, 270, 16});
    panel.ShowAllDataValues();
}

// Pictures of the label road from the main window's Labels button: the "Print Labels" window,
// then a print of its first setup to a PDF file (positions 1-4 left empty, presorted for bulk
// mail) and a preview of it (the same positions, in record order), each window modal over the
// last. A timer looks at the window on top, saves its picture once and answers it the way a user
// would; what the "Print Labels" window does next is started from its own event loop.
class LabelRoadWatcher : public QObject {
  public:
    explicit LabelRoadWatcher(const QString& folder) : FFolder(folder)
    {
        connect(&FTimer, &QTimer::timeout, this, [this] { Look(); });
        // Also while a run lets input through between records.
        FTimer.start(0);
    }

  private:
    enum class Stage { Opened, Printed, Previewed, Closing };

    void Take(QWidget& window, const QString& name)
    {
        if (name.isEmpty() || FTaken.contains(name))
            return;
        FTaken.insert(name);
        const QString path = QDir(FFolder).filePath(name);
        if (!window.grab().save(path))
            qWarning("Cannot save %s", qPrintable(path));
    }

    // The next step of the "Print Labels" window, once every window of the last one has closed.
    void Next(TLabelSetupScreen& window)
    {
        // Windows of the last step are gone; a new one may be made at the same address.
        FAnswered.clear();
        FWaiting = true;
        switch (FStage) {
        case Stage::Opened:
            Take(window, "print-labels.png");
            // The built-in PDF printer, whatever else the machine has.
            if (const int pdf = window.PrinterList->findText(BuiltInPdfPrinterName()); pdf >= 0) {
                window.PrinterList->setCurrentIndex(pdf);
                window.PrinterListChange(pdf);
            }
            window.PresortCheck->setChecked(true);
            FClearPositions = {0, 1, 2, 3};
            FPositionsPicture = "labels-print-positions.png";
            FStage = Stage::Printed;
            QTimer::singleShot(0, &window, [this, &window] {
                FWaiting = false;
                window.PrintButtonClick();
            });
            break;
        case Stage::Printed:
            // The positions stay as chosen; the copies are offered without presort.
            window.PresortCheck->setChecked(false);
            FClearPositions.clear();
            FPositionsPicture = "labels-print-copies.png";
            FStage = Stage::Previewed;
            QTimer::singleShot(0, &window, [this, &window] {
                FWaiting = false;
                window.PreviewButtonClick();
            });
            break;
        case Stage::Previewed:
            FStage = Stage::Closing;
            QTimer::singleShot(0, &window, [this, &window] {
                FWaiting = false;
                window.OkButtonClick();
            });
            break;
        case Stage::Closing:
            break;
        }
    }

    void Look()
    {
        QWidget* top = QApplication::activeModalWidget();
        if (!top || FBusy || FWaiting)
            return;
        FBusy = true;
        if (auto* setups = qobject_cast<TLabelSetupScreen*>(top)) {
            Next(*setups);
        } else if (auto* positions = qobject_cast<TSelectSpecificLabels*>(top)) {
            if (!FAnswered.contains(top)) {
                FAnswered.insert(top);
                for (int position : FClearPositions) {
                    const QPoint at = positions->SheetPicture->PositionRect(position).center();
                    QMouseEvent press(QEvent::MouseButtonPress, at, positions->SheetPicture->mapToGlobal(at),
                                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
                    QApplication::sendEvent(positions->SheetPicture, &press);
                }
                Settle();
                Take(*positions, FPositionsPicture);
                positions->OkButtonClick();
            }
        } else if (auto* presort = qobject_cast<TSortBulkMail*>(top)) {
            Take(*presort, "bulk-mail-presorting.png");
        } else if (auto* status = qobject_cast<TLabelPrinter*>(top)) {
            if (!status->Finished()) {
                if (status->Mode() == PrintRunMode::Preview)
                    Take(*status, "preview-status.png");
            } else if (!FAnswered.contains(top)) {
                FAnswered.insert(top);
                Take(*status, "print-status.png");
                status->ButtonClick();
            }
        } else if (auto* preview = qobject_cast<TPreviewForm*>(top)) {
            if (!FAnswered.contains(top)) {
                FAnswered.insert(top);
                Settle();
                Take(*preview, "preview-labels.png");
                preview->OkButton->click();
            }
        } else if (auto* box = qobject_cast<QMessageBox*>(top)) {
            // Only the presort's order is told on the way; keep a picture of whatever is said, and
            // go on.
            if (!FAnswered.contains(top)) {
                FAnswered.insert(top);
                Take(*box, QString("label-run-message-%1.png").arg(++FMessages));
                qWarning("Label run message: %s", qPrintable(box->text()));
                if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                    yes->click();
                else
                    box->accept();
            }
        }
        FBusy = false;
    }

    QString FFolder;
    QTimer FTimer;
    Stage FStage = Stage::Opened;
    QList<int> FClearPositions;
    QString FPositionsPicture;
    QSet<QString> FTaken;
    QSet<QWidget*> FAnswered;
    int FMessages = 0;
    bool FBusy = false;
    bool FWaiting = false;
};

void TakeLabelRoadScreenshots(TAddressMain& main, const QString& folder)
{
    if (!main.LabelsButton->isEnabled()) {
        qWarning("The Labels button is not on offer");
        return;
    }
    const uint32_t record = main.Session().RecNo();
    PrintEngine& engine = main.Printer();
    const QString pdf = QDir(folder).filePath("labels.pdf");
    engine.SetPdfFileNameAsker([pdf](QWidget*, const QString&) { return pdf; });
    {
        LabelRoadWatcher watcher(folder);
        main.LabelsButton->click();
    }
    engine.SetPdfFileNameAsker(nullptr);
    if (main.Session().RecNo() != record)
        qWarning("The main window is on record %u after the label runs, not %u", main.Session().RecNo(),
                 record);
}

} // namespace

void TakeScreenshots(TAddressMain& main, const QString& folder)
{
    QDir().mkpath(folder);
    Save(main, folder, "main.png");
    main.TabSet->setCurrentIndex(1);
    Save(main, folder, "main-memo.png");
    main.TabSet->setCurrentIndex(0);

    {
        TPreferences window(&main);
        SaveDialog(window, folder, "preferences.png");
    }
    {
        TGettingStarted window(&main);
        SaveDialog(window, folder, "getting-started.png");
    }
    {
        TSplashform window(&main);
        SaveDialog(window, folder, "about.png");
    }
    {
        TNewDataBaseName window(&main);
        window.SetSuggestedName(QString::fromStdString(SuggestAddressFileName()));
        SaveDialog(window, folder, "new-database.png");
    }
    {
        TSpecifyFieldLengths window(LoadNewFileFieldLengths(), &main);
        SaveDialog(window, folder, "field-lengths.png");
    }
    // The record of the sample that has a date.
    if (main.Session().Next())
        main.ShowRecord();
    {
        TDateSelector window(QString::fromStdString(main.Session().Record().Date), &main);
        SaveDialog(window, folder, "date.png");
    }
    {
        TCopyToClipBoard window(&main);
        SaveDialog(window, folder, "copy-to-clipboard.png");
    }
    {
        NewRecordQuestions questions;
        questions.AskZip = true;
        questions.AskNames = true;
        TGetFirstLastZip window(questions, &main);
        SaveDialog(window, folder, "new-record.png");
    }
    {
        TCVWSearching window("blue", &main);
        SaveDialog(window, folder, "searching.png");
    }
    {
        // The filter window after "Test" on the codes: the main window filters while it is open.
        FilterCriteria criteria;
        criteria[FilterField::Codes] = "$C";
        auto tester = [&main](const FilterCriteria& tried) {
            main.Session().SetCriteria(tried);
            main.Session().ApplyCurrentFilter();
            return QString::fromStdString(
                FilterTestText(main.Session().MatchCount(), main.Session().FilterSet()));
        };
        TAddressQueryForm window(criteria, main.FilterBoxLayout(), tester, &main);
        window.TestButtonClick();
        SaveDialog(window, folder, "filter.png");
        main.Session().SetCriteria(FilterCriteria{});
        main.Session().ApplyCurrentFilter();
        main.ShowRecord();
    }
    {
        TSearchBox window(0, &main);
        window.SearchEdit->setText("Jon");
        SaveDialog(window, folder, "search.png");
    }
    if (main.Session().HasRecord()) {
        TAddressBrowseForm window(main.Session(), &main);
        window.NextButtonClick();
        SaveDialog(window, folder, "browse.png");
    }
    {
        // Before the start, and half way through the tags (a stand-in rebuild that stops there
        // for the picture, so the sample file is left alone).
        const QString path = QString::fromStdString(main.Session().FileName());
        auto pictureHalfWay = [&](const RebuildProgress& progress) {
            progress(57, RebuildingIndexesStatus);
            const QString file = QDir(folder).filePath("reindex-running.png");
            if (QWidget* running = QApplication::activeModalWidget(); !running || !running->grab().save(file))
                qWarning("Cannot save %s", qPrintable(file));
            return Status::Success();
        };
        TCVReindex window(path, pictureHalfWay, &main);
        Save(window, folder, "reindex.png");
        window.hide();
        QTimer::singleShot(0, &window, &TCVReindex::ReindexButtonClick);
        window.exec();
    }
    {
        TSystemReindex window(&main);
        SaveDialog(window, folder, "system-reindex.png");
    }
    {
        // The dialing window with the modem panel, and the call window (on a machine without a
        // telephony device it says so).
        TCVDialer window("555-0100", &main);
        SaveDialog(window, folder, "dialer.png");
        TfrmTAPICall call("9,555-0100", &main);
        SaveDialog(call, folder, "tapi-call.png");
    }
    {
        THelpViewer& help = HelpViewer();
        help.ShowContents();
        Save(help, folder, "help.png");
        help.close();
    }

    {
        // The label designer on the default stock, at real size and at its largest zoom.
        LabelSetup setup = LabelSetup::NewSetupDefaults();
        setup.Description = "Office mailing";
        // The stock's outline behind the layout, when the picture is in sysdata.
        if (!FindEntryNoCase(SystemDataDirectory(), "AV5160.BMP").empty())
            setup.Art = "AV5160";
        const ToolWindowView addresses = main.Session().BrowseView();
        TLabelDesignScreen window(setup, &addresses, &main);
        AddSampleLabelElements(window.Panel());
        Save(window, folder, "designer-100.png");
        for (int step = 0; step < 6; ++step)
            window.ZoomIn();
        Save(window, folder, "designer-160.png");
        window.reject();
        window.close();
    }
    {
        TChooseLabelLayout window(&main);
        SaveDialog(window, folder, "label-layout.png");
    }
    if (!FindEntryNoCase(SystemDataDirectory(), "LBLTPL.DBF").empty()) {
        LabelTemplateCatalogue catalogue;
        if (catalogue.Open()) {
            TSelectLabel window(catalogue, LabelSetup::NewSetupDefaults(), &main);
            SaveDialog(window, folder, "select-template.png");
        }
    }
    {
        TLabelEdit window(LabelSetup::NewSetupDefaults(), &main);
        Save(window, folder, "labeledit.png");
        if (auto* millimetres = window.findChild<QRadioButton*>("MillimetersRadio"))
            millimetres->setChecked(true);
        SaveDialog(window, folder, "labeledit-mm.png");
    }

    TakeLabelRoadScreenshots(main, folder);

    // The window while a record is being added (nothing is saved: closing discards it).
    if (main.Session().IsOpen() && main.Session().Add({})) {
        main.ShowRecord();
        main.LastEdit->setText("Newman");
        main.FirstEdit->setText("Nora");
        main.SetButtons();
        Save(main, folder, "main-adding.png");
        main.CancelButtonClick();
    }
    main.Session().Close();
    main.ShowRecord();
    Save(main, folder, "no-data.png");
    main.close();
}

} // namespace corvane
