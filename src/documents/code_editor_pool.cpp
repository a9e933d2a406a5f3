#include "documents/code_editor_pool.h"

#include "documents/views/window_frame_view.h"
#include "documents/workspace.h"

namespace {

// A new editor's size in twips; the model counts 15 twips to a pixel until a window
// measures the screen.
constexpr double newEditorWidth = 385 * 15;
constexpr double newEditorHeight = 225 * 15;

// The editor's window is hidden and its entry becomes free for any slot.
void release(CodeEditorRecord &editor)
{
    if (editor.window)
        editor.window->setShown(false);
    editor.exists = false;
    editor.opened = false;
    editor.xslEditShown = false;
    editor.myElement.clear();
    editor.myFunction.clear();
}

bool ownedBy(const CodeEditorRecord &editor, int slot)
{
    return editor.exists && editor.myTab == slot;
}

} // namespace

int getXslEditor(const QString &element, const QString &kind)
{
    Workspace &ws = workspace();
    int freeEntry = -1;
    for (int i = 0; i < codeEditorPoolSize; ++i) {
        const CodeEditorRecord &editor = ws.xslEditForms[size_t(i)];
        if (!editor.exists) {
            if (freeEntry < 0)
                freeEntry = i;
            continue;
        }
        if (editor.myElement == element && editor.myFunction == kind &&
            editor.myTab == ws.curTable)
            return i;
    }
    if (freeEntry < 0)
        return -1;
    CodeEditorRecord &editor = ws.xslEditForms[size_t(freeEntry)];
    WindowFrameView *window = editor.window; // a released editor's window is reused
    editor = CodeEditorRecord{};
    editor.window = window;
    editor.exists = true;
    editor.myElement = element;
    editor.myFunction = kind;
    editor.myTab = ws.curTable;
    editor.geometry.width = newEditorWidth;
    editor.geometry.height = newEditorHeight;
    return freeEntry;
}

std::vector<int> slotEditors(int slot)
{
    std::vector<int> indexes;
    const Workspace &ws = workspace();
    for (int i = 0; i < codeEditorPoolSize; ++i) {
        const CodeEditorRecord &editor = ws.xslEditForms[size_t(i)];
        if (ownedBy(editor, slot))
            indexes.push_back(i);
    }
    return indexes;
}

void releaseSlotEditors(int slot)
{
    for (CodeEditorRecord &editor : workspace().xslEditForms)
        if (ownedBy(editor, slot))
            release(editor);
}

void rekeyNodeEditors(int slot, const QString &oldKey, const QString &newKey)
{
    for (CodeEditorRecord &editor : workspace().xslEditForms)
        if (ownedBy(editor, slot) && editor.myElement == oldKey)
            editor.myElement = newKey;
}

void releaseNodeEditors(int slot, const QStringList &keys)
{
    for (CodeEditorRecord &editor : workspace().xslEditForms)
        if (ownedBy(editor, slot) && keys.contains(editor.myElement))
            release(editor);
}
