#include "viewer/Startup.h"

#include "platform/Exception.h"
#include "platform/MessageBox.h"
#include "platform/QtWindowOps.h"
#include "viewer/Unit1.h"

#include <QApplication>

#include <memory>

int RunViewer()
{
    try {
        const auto form = std::make_unique<TForm1>();
        form->show();
        QApplication::exec();
    } catch (const Exception& error) {
        ShowException(BytesToText(error.Message()));
    } catch (...) {
        ShowException(QString());
    }
    return 0;
}
