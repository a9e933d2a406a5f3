#include "documents/workspace.h"

#include <memory>

namespace {

std::unique_ptr<Workspace> &instance()
{
    static std::unique_ptr<Workspace> workspace = [] {
        auto created = std::make_unique<Workspace>();
        for (TableDocument &doc : created->tables)
            doc.reset();
        return created;
    }();
    return workspace;
}

} // namespace

Workspace &workspace() { return *instance(); }

void resetWorkspace()
{
    auto fresh = std::make_unique<Workspace>();
    for (TableDocument &doc : fresh->tables)
        doc.reset();
    instance() = std::move(fresh);
}

CurTableGuard::CurTableGuard(int slot) : saved(workspace().curTable)
{
    workspace().curTable = slot;
}

CurTableGuard::~CurTableGuard() { workspace().curTable = saved; }
