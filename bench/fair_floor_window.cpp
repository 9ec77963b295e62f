// The fair floor of the viewer's start-up on Linux: the same window written
// as a plain Qt program would write it. The same 51 controls from the same
// layout table (kinds, places, sizes, captions, tooltips, tab order), the
// caption font found the same way, labels sized to their captions, the five
// editable combo boxes filled from mons.txt, skills.txt and attacks.txt in
// the current folder, sorted with case ignored, and the status bar. What it
// leaves out is only what the program does beyond a window: no name tables,
// no checks of the lists' ids, no code pages, no session, no table.
//
// Prints the time of its first paint and its peak resident memory as one
// JSON line, as floor_window does, then exits.
#include "Probe.h"
#include "viewer/FormLayout.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QWidget>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>

namespace {

// A list's names, each after its id and a space or a colon, sorted.
QStringList Names(const char* file)
{
    QStringList names;
    std::ifstream in(file, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t gap = line.find_first_of(" :");
        if (gap != std::string::npos)
            names.push_back(QString::fromUtf8(line.substr(gap + 1)));
    }
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return names;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QString::fromLatin1(zuninfo::kFormCaption));
    const QStringList installed = QFontDatabase::families();
    QString face = QStringLiteral("Sans Serif");
    for (const char* candidate : {zuninfo::kFormFontFace, "Arial", "Liberation Sans"}) {
        if (installed.contains(QString::fromLatin1(candidate), Qt::CaseInsensitive)) {
            face = QString::fromLatin1(candidate);
            break;
        }
    }
    window.setFont(QFont(face, zuninfo::kFormFontPoints));
    window.move(zuninfo::kFormLeft, zuninfo::kFormTop);
    window.resize(zuninfo::kClientWidth, zuninfo::kClientHeight);

    const std::map<std::string, QStringList> lists{{"mons.txt", Names("mons.txt")},
                                                   {"skills.txt", Names("skills.txt")},
                                                   {"attacks.txt", Names("attacks.txt")}};
    const std::map<std::string, const char*> shows{{"ComboBox1", "mons.txt"}, {"ComboBox2", "skills.txt"},
                                                   {"ComboBox3", "skills.txt"}, {"ComboBox4", "attacks.txt"},
                                                   {"ComboBox5", "attacks.txt"}};
    QWidget* previous = nullptr;
    for (const zuninfo::ControlLayout& layout : zuninfo::kFormLayout) {
        const QString caption = layout.caption != nullptr ? QString::fromLatin1(layout.caption) : QString();
        QWidget* control = nullptr;
        switch (layout.kind) {
        case zuninfo::ControlKind::Button: control = new QPushButton(caption, &window); break;
        case zuninfo::ControlKind::Label:
        case zuninfo::ControlKind::BoldLabel: {
            auto* label = new QLabel(caption, &window);
            if (layout.kind == zuninfo::ControlKind::BoldLabel) {
                QFont bold = label->font();
                bold.setBold(true);
                label->setFont(bold);
            }
            control = label;
            break;
        }
        case zuninfo::ControlKind::Edit: control = new QLineEdit(&window); break;
        case zuninfo::ControlKind::ComboBox: {
            auto* combo = new QComboBox(&window);
            combo->setEditable(true);
            combo->addItems(lists.at(shows.at(layout.name)));
            control = combo;
            break;
        }
        case zuninfo::ControlKind::StatusBar: control = new QStatusBar(&window); break;
        }
        control->setGeometry(layout.left, layout.top, layout.width, layout.height);
        if (auto* label = qobject_cast<QLabel*>(control))
            label->adjustSize();
        if (layout.hint != nullptr)
            control->setToolTip(QString::fromLatin1(layout.hint));
        if (layout.tabOrder >= 0) {
            if (previous != nullptr)
                QWidget::setTabOrder(previous, control);
            previous = control;
        }
    }

    FirstPaint painted(&window, [] { PrintPaintedAndExit("peak_kib"); });
    window.show();
    return QApplication::exec();
}
