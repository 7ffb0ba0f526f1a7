// The least Qt Widgets program with Velmora's kinds and number of controls:
// the yardstick for Velmora's start-up time and memory.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(268, 312);
    auto* frequency = new QGroupBox("Frequency", &window);
    frequency->setGeometry(16, 16, 233, 89);
    new QLineEdit(frequency);
    new QRadioButton("Hz", frequency);
    new QRadioButton("KHz", frequency);
    new QRadioButton("MHz", frequency);
    auto* inductance = new QGroupBox("Inductance", &window);
    inductance->setGeometry(16, 120, 233, 129);
    new QLineEdit(inductance);
    new QRadioButton("mH", inductance);
    new QRadioButton("uH", inductance);
    new QLabel(inductance);
    new QPushButton("Calculate", &window);
    window.show();
    return application.exec();
}
