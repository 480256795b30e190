#pragma once

#include <memory>

#include "core/messages.h"
#include "core/shell/session.h"

class TFFenwarpFirmWare;
class TFAbout;
class TFHelp;
class TFModifyFileSx;
class TFpargen;
class TFsdo;

// Every window of the program, created once at start, the main window first;
// the dialogs are children of the main window and die with it.
struct Windows {
    std::unique_ptr<TFFenwarpFirmWare> main;
    TFHelp* help = nullptr;
    TFAbout* about = nullptr;
    TFModifyFileSx* firmware = nullptr;
    TFpargen* pargen = nullptr;
    TFsdo* sdo = nullptr;

    Windows(fenwarp::Session& session, fenwarp::Messages& messages);
    ~Windows();
};
