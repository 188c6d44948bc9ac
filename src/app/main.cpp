#include <QApplication>
#include <QLabel>
#include <QMainWindow>

// Until the main record window lands the program shows that no address file is open.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Corvane");
    QMainWindow window;
    window.setWindowTitle("Corvane");
    auto* label = new QLabel("Please Open or Create a Corvane Address file", &window);
    label->setObjectName("NoDataLabel");
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.resize(640, 420);
    window.show();
    return QApplication::exec();
}
