// Linked into the window test programs of the TSan build only. Qt is not
// built with TSan, so the lock that guards its event queue is invisible to
// it: a job's result handed to the window with QMetaObject::invokeMethod
// (queued or blocking) would look like a race. This shows TSan the
// hand-over Qt really makes, and nothing more: the caller releases before the
// call is queued and acquires once invokeMethod returns (a blocking call has
// run by then); the window's thread acquires before it runs a queued call
// and releases after. Every access of our code is still checked.

#include <dlfcn.h>
#include <sanitizer/tsan_interface.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <cstdlib>

namespace {

// One address stands for Qt's event queues.
char handoff;

class HandoffFilter final : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::MetaCall) return false;
    __tsan_acquire(&handoff);
    // The call is run here so that its end can be released.
    watched->event(event);
    __tsan_release(&handoff);
    return true;
  }
};

void InstallHandoffFilter() {
  QCoreApplication::instance()->installEventFilter(new HandoffFilter);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallHandoffFilter)

bool QMetaObject::invokeMethodImpl(QObject* object, QtPrivate::QSlotObjectBase* slot,
                                   Qt::ConnectionType type, void* ret) {
  using Real = bool (*)(QObject*, QtPrivate::QSlotObjectBase*, Qt::ConnectionType, void*);
  static const Real real =
      reinterpret_cast<Real>(dlsym(RTLD_NEXT,
                                   "_ZN11QMetaObject16invokeMethodImplEP7QObjectPN9QtPrivate15QSlot"
                                   "ObjectBaseEN2Qt14ConnectionTypeEPv"));
  if (real == nullptr) std::abort();
  // A blocking call's captures, which the window's thread used, go only
  // after the hand-back is acquired. A queued call's go on that thread.
  const bool blocking = type == Qt::BlockingQueuedConnection && slot != nullptr;
  if (blocking) slot->ref();
  __tsan_release(&handoff);
  const bool ok = real(object, slot, type, ret);
  __tsan_acquire(&handoff);
  if (blocking) slot->destroyIfLastRef();
  return ok;
}
