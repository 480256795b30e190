#pragma once

#include <memory>

#include "core/messages.h"
#include "core/shell/session.h"

class TFFenwarpFirmWare;
class TFsaveproj;
class TFHelp;
class TFAbout;
class TFSELstringhe;
class TFModifyFileSx;
class TFpargen;
class TFsdo;
class TFpdo;
class TFemcy;
class TFWemcy;
class TFXML;
class TFInfopdo;
class TFcheck;

// Every window of the program, created once at start, the main window first;
// the dialogs are children of the main window and die with it.
struct Windows {
    std::unique_ptr<TFFenwarpFirmWare> main;
    TFsaveproj* saveproj = nullptr;
    TFHelp* help = nullptr;
    TFAbout* about = nullptr;
    TFSELstringhe* selString = nullptr;
    TFModifyFileSx* firmware = nullptr;
    TFpargen* pargen = nullptr;
    TFsdo* sdo = nullptr;
    TFpdo* pdo = nullptr;
    TFemcy* emcy = nullptr;
    TFWemcy* emcyWord = nullptr;
    TFXML* xml = nullptr;
    TFInfopdo* infoPdo = nullptr;
    TFcheck* check = nullptr;

    Windows(fenwarp::Session& session, fenwarp::Messages& messages);
    ~Windows();
};
