// A minimal Qt Widgets program, the yardstick of the start-up benchmark: a main window with a menu
// bar, an input line and a list of 25 Japanese names, shown at once. bench/startup times it from
// exec to its window mapped on the X server, as it times the converter.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QVBoxLayout>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral(" Halden Unit Converter - Length"));
    auto* client = new QWidget;
    auto* layout = new QVBoxLayout(client);
    auto* list = new QListWidget;
    for (int i = 0; i < 25; ++i) {
        list->addItem(QStringLiteral("尺 [shaku] %1").arg(i));
    }
    layout->addWidget(new QLineEdit);
    layout->addWidget(list);
    window.setCentralWidget(client);
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"), &app, &QApplication::quit);
    window.show();
    return QApplication::exec();
}
