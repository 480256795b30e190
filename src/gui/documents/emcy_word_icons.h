#pragma once

#include <QIcon>

// The tree icons of the EMCY word map, drawn by the program itself: a word
// node and a bit node, each in a normal and a selected form.
QIcon wordNodeIcon();
QIcon bitNodeIcon();
