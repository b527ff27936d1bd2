#pragma once

// What saving a file came to.
enum class SaveResult {
    Saved,
    CannotOpen,  // no temporary file could be made, or the existing file is not a writable
                 // regular file
    CannotWrite, // writing, syncing or replacing failed; the old file is untouched
    Busy,        // another program kept saving the file for the whole wait; nothing was written
};
