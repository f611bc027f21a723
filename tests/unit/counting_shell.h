#pragma once

#include "core/app/tray_icon.h"

namespace tockbell {

// A shell that counts what the tray icon asked of it, and grants everything.
class CountingShell : public TrayShell {
public:
    bool Add() override { return ++adds, true; }
    bool Modify() override { return true; }
    bool Delete() override { return ++deletes, true; }
    void Renew() override {}
    int adds = 0;
    int deletes = 0;
};

}  // namespace tockbell
