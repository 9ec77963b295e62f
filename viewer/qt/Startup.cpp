#include "viewer/qt/Startup.h"

#include "platform/Exception.h"
#include "platform/qt/MessageBox.h"
#include "viewer/qt/Unit1.h"

#include <QApplication>

#include <memory>

int RunViewer()
{
    try {
        const auto form = std::make_unique<TForm1>();
        form->show();
        QApplication::exec();
    } catch (const Exception& error) {
        ShowException(QString::fromUtf8(error.what()));
    } catch (...) {
        ShowException(QString());
    }
    return 0;
}
