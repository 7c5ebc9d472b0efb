#pragma once

#include <string>
#include <string_view>

#include "backup/type_filter.h"

namespace tarnwick {

// What a pass needs from the window that runs it. The window adds the time of day to each line,
// keeps the busy pictures and the tray icon, and lets pending events run at a refresh.
class BackupHost {
  public:
    virtual ~BackupHost() = default;

    // A line of the pass, inserted at the top of the log (newest first).
    virtual void logTop(std::string_view text) = 0;

    // The pass begins: the hide button and the resting picture go away.
    virtual void passStarted() = 0;

    // At most every 0.4 s: next busy picture, busy tray icon, the current path on show, then
    // every pending event runs. Anything below may change during this call.
    virtual void refreshProgress(std::string_view path) = 0;

    // The pass is over: resting picture, tray icon and tip, hide button back; path cleared.
    virtual void passEnded() = 0;

    // The "browse but do not copy" box, read for every selected file.
    virtual bool noCopy() = 0;

    virtual bool stopRequested() = 0;

    // The type filter of the last load or save; a save during a refresh replaces it.
    virtual const TypeFilter& typeFilter() = 0;

    // The pass writes the destination back with its separator, and a source entry likewise.
    virtual void setDestinationText(const std::string& text) = 0;
    virtual void setSourceEntry(std::size_t index, const std::string& entry) = 0;
};

}  // namespace tarnwick
