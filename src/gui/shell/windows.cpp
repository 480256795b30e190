#include "gui/shell/windows.h"

#include "gui/documents/TFWemcy.h"
#include "gui/documents/TFpargen.h"
#include "gui/documents/TFsdo.h"
#include "gui/firmware/TFModifyFileSx.h"
#include "gui/shell/TFAbout.h"
#include "gui/shell/TFFenwarpFirmWare.h"

Windows::Windows(fenwarp::Session& session, fenwarp::Messages& messages)
    : main(std::make_unique<TFFenwarpFirmWare>(session, messages)) {
    QWidget* owner = main.get();
    about = new TFAbout(owner);
    firmware = new TFModifyFileSx(session, messages, owner);
    pargen = new TFpargen(session, messages, owner);
    sdo = new TFsdo(session, main->openExcel(), messages, owner);
    emcyWord = new TFWemcy(session, main->openExcel(), messages, owner);

    TFFenwarpFirmWare::Dialogs dialogs;
    dialogs.about = about;
    dialogs.firmware = firmware;
    dialogs.pargen = pargen;
    dialogs.sdo = sdo;
    dialogs.emcyWord = emcyWord;
    main->setDialogs(dialogs);
}

Windows::~Windows() = default;
