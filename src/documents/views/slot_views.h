#pragma once

// The windows of one table slot as the model reaches them. Each pointer stays null until
// the window exists; a call through a null pointer is skipped, so the model works with no
// window open.
class XmlTreeView;
class TableTreeView;
class PropertySheetView;
class PreviewView;
class XslCodeView;

struct SlotViews {
    XmlTreeView *parser = nullptr;
    TableTreeView *rep = nullptr;
    PropertySheetView *allProp = nullptr;
    PreviewView *result = nullptr;
    XslCodeView *xslCode = nullptr;
};
