#include "tests/support/ModalBoxWatcher.h"

#include <QApplication>
#include <QMessageBox>

ModalBoxWatcher::ModalBoxWatcher()
{
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, &ModalBoxWatcher::Poll);
    timer_.start();
}

void ModalBoxWatcher::Poll()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr)
        return;
    texts.append(box->text());
    titles.append(box->windowTitle());
    if (onBox)
        onBox();
    box->accept();
}
