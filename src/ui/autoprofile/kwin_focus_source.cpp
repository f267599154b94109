#include "ui/autoprofile/kwin_focus_source.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QFile>

#include "ui/autoprofile/process_executable.h"

namespace quorlin::ui {

namespace {

constexpr const char* kKWinService = "org.kde.KWin";
constexpr const char* kScriptingPath = "/Scripting";
constexpr const char* kScriptingInterface = "org.kde.kwin.Scripting";
constexpr const char* kObjectPath = "/AutoProfile";

QDBusMessage CallKWin(const QString& path, const QString& interface, const QString& method,
                      const QList<QVariant>& args) {
  QDBusMessage call = QDBusMessage::createMethodCall(kKWinService, path, interface, method);
  call.setArguments(args);
  return QDBusConnection::sessionBus().call(call, QDBus::Block, 3000);
}

}  // namespace

QString KWinFocusSource::ScriptText(const QString& bus_name) {
  // Plasma 6 names windows "window", Plasma 5 "client": the script takes
  // whichever the workspace offers.
  return QStringLiteral(
             "function report(w) {\n"
             "  if (!w) { callDBus('%1', '%2', 'org.quorlin.AutoProfile', 'Active', '', '', 0);"
             " return; }\n"
             "  callDBus('%1', '%2', 'org.quorlin.AutoProfile', 'Active',\n"
             "           String(w.resourceClass), String(w.resourceName), w.pid);\n"
             "}\n"
             "if (workspace.windowActivated) workspace.windowActivated.connect(report);\n"
             "else workspace.clientActivated.connect(report);\n"
             "report(workspace.activeWindow !== undefined ? workspace.activeWindow"
             " : workspace.activeClient);\n")
      .arg(bus_name, kObjectPath);
}

KWinFocusSource::KWinFocusSource() : receiver_(std::make_unique<KWinFocusReceiver>(*this)) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kKWinService)) return;
  if (!bus.registerObject(kObjectPath, receiver_.get(), QDBusConnection::ExportAllSlots)) return;
  if (!folder_.isValid()) return;
  const QString file = folder_.filePath("quorlin-focus.js");
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly) || out.write(ScriptText(bus.baseService()).toUtf8()) < 0)
    return;
  out.close();
  plugin_name_ = QStringLiteral("quorlin-focus-%1").arg(QCoreApplication::applicationPid());
  const QDBusMessage loaded =
      CallKWin(kScriptingPath, kScriptingInterface, "loadScript", {file, plugin_name_});
  if (loaded.type() != QDBusMessage::ReplyMessage || loaded.arguments().isEmpty()) return;
  const int id = loaded.arguments().first().toInt();
  if (id < 0) return;
  // Plasma 6 puts the script's object below /Scripting, Plasma 5 at the root.
  for (const QString& path :
       {QStringLiteral("/Scripting/Script%1").arg(id), QStringLiteral("/%1").arg(id)}) {
    if (CallKWin(path, "org.kde.kwin.Script", "run", {}).type() == QDBusMessage::ReplyMessage) {
      loaded_ = true;
      break;
    }
  }
  if (!loaded_) CallKWin(kScriptingPath, kScriptingInterface, "unloadScript", {plugin_name_});
}

KWinFocusSource::~KWinFocusSource() {
  if (loaded_) CallKWin(kScriptingPath, kScriptingInterface, "unloadScript", {plugin_name_});
  QDBusConnection::sessionBus().unregisterObject(kObjectPath);
}

void KWinFocusSource::OnActive(const QString& resource_class, const QString& resource_name,
                               qlonglong pid) {
  ++wake_ups_;
  flows::FocusedWindow w;
  w.none = resource_class.isEmpty() && resource_name.isEmpty() && pid == 0;
  w.window_instance = resource_name.toStdString();
  w.window_class = resource_class.toStdString();
  w.own = IsOwnProcess(static_cast<long>(pid));
  w.executable = ExecutableOfProcess(static_cast<long>(pid));
  const std::string name = flows::AppNameOf(w);
  if (!w.own && !w.none && !name.empty())
    seen_[name] = RunningApp{name, resource_class, QIcon::fromTheme(resource_class.toLower())};
  Tell(w);
}

std::vector<RunningApp> KWinFocusSource::RunningApplications() {
  std::vector<RunningApp> apps;
  for (const auto& [name, app] : seen_) apps.push_back(app);
  return apps;
}

}  // namespace quorlin::ui
