#pragma once

#include <QAccessibleWidget>
#include <QList>

namespace shell {

// A screen, and each plain container in it, as assistive technology reads
// them: their children less those hidden on purpose (controls kept for
// their names only, a box's unused look-up button), which nobody can see.
class ShownChildrenAccessible : public QAccessibleWidget {
public:
    explicit ShownChildrenAccessible(QWidget* widget);

    // Makes screen and the plain containers in it answer with this
    // interface from now on.
    static void install(QWidget* screen);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

private:
    QList<QAccessibleInterface*> shown() const;
};

}  // namespace shell
