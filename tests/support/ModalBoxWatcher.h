#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

// Answers the modal message boxes that come up while it lives: each box's
// text is recorded and its default button pressed, so code that shows a box
// can run inside a test without blocking.
class ModalBoxWatcher : public QObject {
public:
    ModalBoxWatcher();

    QStringList texts;
    QStringList titles;
    // Called while a box is up, before it is answered.
    std::function<void()> onBox;

private:
    void Poll();

    QTimer timer_;
};
