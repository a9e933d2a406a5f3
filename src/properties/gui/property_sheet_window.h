#pragma once

#include "documents/views/property_sheet_view.h"

#include <QWidget>

class PropertyGrid;

// The property sheet `allProp` of one table slot: a property grid showing the slot's sheet
// model, with the grid's events passed to the model's commands.
class PropertySheetWindow : public QWidget, public PropertySheetView {
    Q_OBJECT
public:
    explicit PropertySheetWindow(int slot, QWidget *parent = nullptr);
    ~PropertySheetWindow() override;

    PropertyGrid *grid() const { return props; }

    // PropertySheetView
    void setLoading(bool loading) override;
    void selectRow(const QString &caption) override;
    void fillProps() override;
    void showSheet() override;
    void flushEditor() override;
    void props_InplaceButtonDown() override;
    QString pickBorder(const QString &value) override;
    QString pickSize(const QString &caption, const QString &value) override;
    void showCodeEditor(int index, const QString &caption) override;
    void showInputParams() override;

private:
    void valueChanged(const QString &caption, const QString &value);
    void props_LostFocus();

    int tableSlot;
    PropertyGrid *props;
};
