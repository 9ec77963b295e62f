#include "viewer/qt/Startup.h"

#include "platform/Exception.h"
#include "platform/qt/MessageBox.h"
#include "viewer/qt/Unit1.h"

#include <QApplication>

#include <memory>
#include <utility>

namespace zuninfo {

int RunViewer(ViewerOptions options)
{
    return RunApplication(
        [&] {
            const auto form = std::make_unique<TForm1>(std::move(options));
            form->show();
            QApplication::exec();
        },
        [](const char* message) { ShowException(QString::fromUtf8(message)); });
}

} // namespace zuninfo
