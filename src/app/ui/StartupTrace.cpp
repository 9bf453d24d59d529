#include "ui/StartupTrace.h"

#include <QApplication>
#include <QDebug>
#include <QEvent>
#include <QLoggingCategory>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QWidget>

namespace lingomat {

namespace {

Q_LOGGING_CATEGORY(lcStartup, "lingomat.startup", QtInfoMsg)

class FirstPaintWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            // A window whose children cover it gets no paint of its own.
            QWidget* widget = static_cast<QWidget*>(watched)->window();
            if (!seen.contains(widget)) {
                seen.insert(widget);
                // Told once the event loop is back, so the painting of the children and the
                // flush to the screen have happened.
                QTimer::singleShot(0, this, [window = QPointer<QWidget>(widget)] {
                    if (window) {
                        qCDebug(lcStartup).noquote() << "gezeichnet:" << window->windowTitle();
                    }
                });
            }
        }
        return false;
    }

private:
    QSet<const QWidget*> seen;
};

} // namespace

void InstallStartupTrace() {
    if (!lcStartup().isDebugEnabled()) {
        return;
    }
    qApp->installEventFilter(new FirstPaintWatcher(qApp));
}

} // namespace lingomat
