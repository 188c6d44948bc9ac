#include "utilities/windows/BulkEditProgressPanel.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "utilities/BulkEditSupport.h"

namespace corvane {

BulkEditProgressPanel::BulkEditProgressPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName("ProgressPanel");
    ProgressLabel = new QLabel(this);
    ProgressLabel->setObjectName("ProgressLabel");
    ProgressLabel->setTextFormat(Qt::PlainText);
    Gauge = new QProgressBar(this);
    Gauge->setObjectName("Gauge");
    Gauge->setRange(0, 100);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ProgressLabel);
    layout->addWidget(Gauge);
    hide();
}

void BulkEditProgressPanel::Start(const QString& status)
{
    ProgressLabel->setText(status);
    ProgressLabel->setVisible(!status.isEmpty());
    Gauge->setValue(0);
    show();
}

bool BulkEditProgressPanel::Show(uint32_t done, uint32_t total)
{
    const int percent = GaugePercent(done, total);
    if (percent == Gauge->value())
        return false;
    Gauge->setValue(percent);
    return true;
}

} // namespace corvane
