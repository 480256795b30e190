// fenwarp: the desktop configuration tool of the two-port CANopen gateway.
#include <filesystem>

#include "core/shell/session.h"
#include "gui/fenwarp_application.h"
#include "gui/qt_messages.h"
#include "gui/shell/TFFenwarpFirmWare.h"
#include "gui/shell/windows.h"

int main(int argc, char** argv) {
    QtMessages messages;
    FenwarpApplication app(argc, argv, messages);
    fenwarp::Session session(toPath(QCoreApplication::applicationDirPath()));
    Windows windows(session, messages);
    windows.main->show();
    return app.exec();
}
