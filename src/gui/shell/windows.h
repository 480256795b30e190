#pragma once

#include <memory>

#include "core/messages.h"
#include "core/shell/session.h"

class TFFenwarpFirmWare;
class TFAbout;
class TFModifyFileSx;
class TFpargen;
class TFsdo;
class TFWemcy;

// Every window of the program, created once at start, the main window first;
// the dialogs are children of the main window and die with it.
struct Windows {
    std::unique_ptr<TFFenwarpFirmWare> main;
    TFAbout* about = nullptr;
    TFModifyFileSx* firmware = nullptr;
    TFpargen* pargen = nullptr;
    TFsdo* sdo = nullptr;
    TFWemcy* emcyWord = nullptr;

    Windows(fenwarp::Session& session, fenwarp::Messages& messages);
    ~Windows();
};
