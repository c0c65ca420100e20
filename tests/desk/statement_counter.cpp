#include "statement_counter.h"

#include <dlfcn.h>

namespace {

// The few entry points of SQLite's C interface the counter needs, taken from the loaded library.
using TraceCallback = int (*)(unsigned, void *, void *, void *);
using TraceV2 = int (*)(void *, unsigned, TraceCallback, void *);
using ExtensionEntry = void (*)();
using AutoExtension = int (*)(ExtensionEntry);
constexpr unsigned traceStatement = 0x01; // SQLITE_TRACE_STMT

TraceV2 traceV2 = nullptr;
AutoExtension cancelAutoExtension = nullptr;
int statements = 0;

int countStatement(unsigned, void *, void *, void *)
{
    ++statements;
    return 0;
}

int traceConnection(void *db, char **, const void *)
{
    traceV2(db, traceStatement, &countStatement, nullptr);
    return 0;
}

ExtensionEntry traceEntry()
{
    return reinterpret_cast<ExtensionEntry>(&traceConnection);
}

} // namespace

StatementCounter::StatementCounter()
{
    void *library = dlopen("libsqlite3.so.0", RTLD_NOW | RTLD_NOLOAD);
    if (!library)
        return;
    traceV2 = reinterpret_cast<TraceV2>(dlsym(library, "sqlite3_trace_v2"));
    auto autoExtension = reinterpret_cast<AutoExtension>(dlsym(library, "sqlite3_auto_extension"));
    cancelAutoExtension = reinterpret_cast<AutoExtension>(dlsym(library, "sqlite3_cancel_auto_extension"));
    dlclose(library);
    m_available = traceV2 && autoExtension && cancelAutoExtension && autoExtension(traceEntry()) == 0;
    statements = 0;
}

StatementCounter::~StatementCounter()
{
    if (m_available)
        cancelAutoExtension(traceEntry());
}

int StatementCounter::count() const
{
    return statements;
}

void StatementCounter::reset()
{
    statements = 0;
}
