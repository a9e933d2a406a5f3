#pragma once

#include <QWidget>

class QTabBar;

// The tab strip window `tabs`: one tab per open table, keyed "k" & slot. A tab chosen by
// the user or selected by the program switches tables (while tab events are on), and so
// does a click on the tab already selected.
class TabStrip : public QWidget {
    Q_OBJECT
public:
    explicit TabStrip(QWidget *parent);

    QTabBar *atabs() const { return bar; }
    void insertTab(int index, const QString &key, const QString &caption);
    void selectTab(const QString &key);
    QString selectedKey() const;
    void setCaption(const QString &key, const QString &caption);
    // Removes the selected tab without switching tables: the caller switches.
    void removeSelected();
    void removeAll();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    int indexOfKey(const QString &key) const;
    QTabBar *bar;
};
