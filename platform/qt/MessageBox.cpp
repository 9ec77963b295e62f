#include "platform/qt/MessageBox.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QWidget>

void ShowMessage(QWidget* parent, const QString& text)
{
    QWidget* owner = parent != nullptr && parent->isVisible() ? parent : nullptr;
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void ShowException(const QString& message)
{
    QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), message,
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
