#include "gui/shell/windows.h"

#include "gui/check/TFcheck.h"
#include "gui/documents/TFInfopdo.h"
#include "gui/documents/TFWemcy.h"
#include "gui/documents/TFemcy.h"
#include "gui/documents/TFpargen.h"
#include "gui/documents/TFpdo.h"
#include "gui/documents/TFsdo.h"
#include "gui/firmware/TFModifyFileSx.h"
#include "gui/shell/TFAbout.h"
#include "gui/shell/TFFenwarpFirmWare.h"
#include "gui/shell/TFHelp.h"
#include "gui/shell/TFsaveproj.h"
#include "gui/xml/TFSELstringhe.h"
#include "gui/xml/TFXML.h"

Windows::Windows(fenwarp::Session& session, fenwarp::Messages& messages)
    : main(std::make_unique<TFFenwarpFirmWare>(session, messages)) {
    QWidget* owner = main.get();
    saveproj = new TFsaveproj(session, messages, owner);
    help = new TFHelp(session, messages, owner);
    about = new TFAbout(owner);
    selString = new TFSELstringhe(session, messages, owner);
    firmware = new TFModifyFileSx(session, messages, owner);
    pargen = new TFpargen(session, messages, owner);
    sdo = new TFsdo(session, main->openExcel(), messages, owner);
    pdo = new TFpdo(session, main->openExcel(), messages, owner);
    emcy = new TFemcy(session, main->openExcel(), messages, owner);
    emcyWord = new TFWemcy(session, main->openExcel(), messages, owner);
    xml = new TFXML(session, *saveproj, owner);
    infoPdo = new TFInfopdo(session, main->openExcel(), messages, owner);
    check = new TFcheck(session, owner);
    check->setOpener(
        [main = main.get()](const fenwarp::FindingTarget& target) { main->openFinding(target); });

    TFFenwarpFirmWare::Dialogs dialogs;
    dialogs.newProject = saveproj;
    dialogs.help = help;
    dialogs.about = about;
    dialogs.firmware = firmware;
    dialogs.pargen = pargen;
    dialogs.sdo = sdo;
    dialogs.pdo = pdo;
    dialogs.emcy = emcy;
    dialogs.emcyWord = emcyWord;
    dialogs.infoPdo = infoPdo;
    dialogs.check = check;
    main->setDialogs(dialogs);
}

Windows::~Windows() = default;
