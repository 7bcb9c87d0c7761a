// In the browser the files live in memory: every change is copied to the browser's lasting
// storage (IndexedDB, mounted by the page as the working directory).
#include <emscripten.h>

#include "console/platform_files.h"

namespace {

// Copies the in-memory files to IndexedDB in one transaction; 1 when that worked.
EM_ASYNC_JS(int, pageSaveFiles, (), { return await Module.page.saveFiles(FS); });

}  // namespace

bool keepFileChanges(std::string& error)
{
    if (pageSaveFiles()) return true;
    error = "the browser would not store it";
    return false;
}
