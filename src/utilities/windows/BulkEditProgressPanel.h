#pragma once
// The progress part of the bulk-edit windows: a status text over a gauge, hidden until the run
// starts. The gauge moves only when its percentage changes, so the window repaints about a
// hundred times per run, not once per record.

#include <cstdint>

#include <QString>
#include <QWidget>

class QLabel;
class QProgressBar;

namespace corvane {

class BulkEditProgressPanel : public QWidget {
    Q_OBJECT
  public:
    explicit BulkEditProgressPanel(QWidget* parent = nullptr);

    // Shows the panel with `status` (none when empty) and the gauge at 0.
    void Start(const QString& status);
    // Moves the gauge to done / total; true when it moved (the caller then lets the window paint).
    bool Show(uint32_t done, uint32_t total);

    QLabel* ProgressLabel;
    QProgressBar* Gauge;
};

} // namespace corvane
