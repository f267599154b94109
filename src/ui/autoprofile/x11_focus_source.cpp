#include "ui/autoprofile/x11_focus_source.h"

#include <unistd.h>
#include <xcb/res.h>
#include <xcb/xcb.h>

#include <QImage>
#include <QPixmap>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>

#include "ui/autoprofile/process_executable.h"

namespace quorlin::ui {

namespace {

template <typename T>
struct FreeReply {
  void operator()(T* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply<T>>;

// The two NUL-separated parts of WM_CLASS: instance, then class.
std::pair<std::string, std::string> SplitClass(const std::string& raw) {
  const std::size_t nul = raw.find('\0');
  if (nul == std::string::npos) return {raw, {}};
  std::string second = raw.substr(nul + 1);
  if (const std::size_t end = second.find('\0'); end != std::string::npos) second.resize(end);
  return {raw.substr(0, nul), second};
}

}  // namespace

X11FocusSource::X11FocusSource(const std::string& display, bool xwayland) : xwayland_(xwayland) {
  int screen_number = 0;
  connection_ = xcb_connect(display.empty() ? nullptr : display.c_str(), &screen_number);
  if (xcb_connection_has_error(connection_)) return;
  const xcb_setup_t* setup = xcb_get_setup(connection_);
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup);
  for (int i = 0; i < screen_number && it.rem > 0; ++i) xcb_screen_next(&it);
  if (it.rem == 0) return;
  root_ = it.data->root;
  net_active_window_ = Atom("_NET_ACTIVE_WINDOW");
  net_wm_pid_ = Atom("_NET_WM_PID");
  net_client_list_ = Atom("_NET_CLIENT_LIST");
  net_wm_name_ = Atom("_NET_WM_NAME");
  net_wm_icon_ = Atom("_NET_WM_ICON");
  utf8_string_ = Atom("UTF8_STRING");
  wm_client_machine_ = XCB_ATOM_WM_CLIENT_MACHINE;
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) == 0) host_name_ = host;

  Reply<xcb_res_query_version_reply_t> version(
      xcb_res_query_version_reply(connection_, xcb_res_query_version(connection_, 1, 2), nullptr));
  have_resource_ext_ = version && (version->server_major > 1 ||
                                   (version->server_major == 1 && version->server_minor >= 2));

  // A window manager that keeps no active window tells nothing; one that
  // does lists it among the hints it supports (the property itself may
  // not exist before the first window takes focus).
  if (!SupportsActiveWindow()) return;

  const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection_);
  available_ = true;
  last_window_ = ActiveWindow();
  notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_),
                                                QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { OnReadable(); });
}

X11FocusSource::~X11FocusSource() {
  notifier_.reset();
  if (connection_) xcb_disconnect(connection_);
}

uint32_t X11FocusSource::Atom(const char* name) {
  Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      connection_, xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name),
      nullptr));
  return reply ? reply->atom : XCB_NONE;
}

bool X11FocusSource::SupportsActiveWindow() {
  Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      connection_,
      xcb_get_property(connection_, 0, root_, Atom("_NET_SUPPORTED"), XCB_ATOM_ATOM, 0, 4096),
      nullptr));
  if (!reply || reply->format != 32) return false;
  const auto* atoms = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
  const int count = xcb_get_property_value_length(reply.get()) / 4;
  return std::find(atoms, atoms + count, net_active_window_) != atoms + count;
}

void X11FocusSource::OnReadable() {
  ++wake_ups_;
  bool active_changed = false;
  // Replies read below may queue events behind the socket's back, so the
  // queue is emptied after the reads as well.
  for (int round = 0; round < 2; ++round) {
    while (xcb_generic_event_t* event = round == 0 ? xcb_poll_for_event(connection_)
                                                   : xcb_poll_for_queued_event(connection_)) {
      if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
        const auto* notify = reinterpret_cast<xcb_property_notify_event_t*>(event);
        if (notify->window == root_ && notify->atom == net_active_window_) active_changed = true;
      }
      std::free(event);
    }
    if (round == 0 && active_changed) {
      const std::optional<uint32_t> window = ActiveWindow();
      if (window != last_window_) {
        last_window_ = window;
        Tell(window ? Describe(*window) : flows::FocusedWindow{{}, {}, {}, false, true});
      }
    }
  }
  if (xcb_connection_has_error(connection_)) {
    // The X server went away: no more focus to follow.
    notifier_->setEnabled(false);
    available_ = false;
  }
}

std::optional<uint32_t> X11FocusSource::ActiveWindow() {
  Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      connection_,
      xcb_get_property(connection_, 0, root_, net_active_window_, XCB_ATOM_WINDOW, 0, 1), nullptr));
  if (!reply || xcb_get_property_value_length(reply.get()) < 4) return std::nullopt;
  const uint32_t window = *static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
  if (window == XCB_NONE) return std::nullopt;
  return window;
}

flows::FocusedWindow X11FocusSource::ReadFocus() {
  const std::optional<uint32_t> window = ActiveWindow();
  return window ? Describe(*window) : flows::FocusedWindow{{}, {}, {}, false, true};
}

void X11FocusSource::TellCurrent() {
  if (!available_) return;
  last_window_ = ActiveWindow();
  Tell(last_window_ ? Describe(*last_window_) : flows::FocusedWindow{{}, {}, {}, false, true});
}

std::string X11FocusSource::TextProperty(uint32_t window, uint32_t property, uint32_t type,
                                         bool all) {
  Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      connection_, xcb_get_property(connection_, 0, window, property, type, 0, 1024), nullptr));
  if (!reply || reply->format != 8) return {};
  const int length = xcb_get_property_value_length(reply.get());
  std::string text(static_cast<const char*>(xcb_get_property_value(reply.get())),
                   static_cast<std::size_t>(std::max(length, 0)));
  if (!all) {
    if (const std::size_t nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
  }
  return text;
}

long X11FocusSource::ProcessOf(uint32_t window) {
  // The server knows the process at the other end of the client's socket,
  // in its own PID namespace: right even for sandboxed programs whose
  // _NET_WM_PID counts in theirs.
  if (have_resource_ext_) {
    // The asked client id is the first part of an answered one.
    xcb_res_client_id_value_t asked{};
    auto& [client, unused_length] = asked;
    client = {window, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
    Reply<xcb_res_query_client_ids_reply_t> reply(xcb_res_query_client_ids_reply(
        connection_, xcb_res_query_client_ids(connection_, 1, &client), nullptr));
    if (reply) {
      for (auto it = xcb_res_query_client_ids_ids_iterator(reply.get()); it.rem > 0;
           xcb_res_client_id_value_next(&it)) {
        const auto& [answered, answered_length] = *it.data;
        if ((answered.mask & XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID) &&
            xcb_res_client_id_value_value_length(it.data) >= 1)
          return static_cast<long>(*xcb_res_client_id_value_value(it.data));
      }
    }
  }
  // A PID from another machine names some unrelated process here.
  const std::string machine = TextProperty(window, wm_client_machine_, XCB_ATOM_STRING);
  if (!machine.empty() && !host_name_.empty() && machine != host_name_) return 0;
  Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      connection_, xcb_get_property(connection_, 0, window, net_wm_pid_, XCB_ATOM_CARDINAL, 0, 1),
      nullptr));
  if (!reply || xcb_get_property_value_length(reply.get()) < 4) return 0;
  return static_cast<long>(*static_cast<const uint32_t*>(xcb_get_property_value(reply.get())));
}

flows::FocusedWindow X11FocusSource::Describe(uint32_t window) {
  flows::FocusedWindow w;
  const auto [instance, klass] =
      SplitClass(TextProperty(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, true));
  w.window_instance = instance;
  w.window_class = klass;
  const long pid = ProcessOf(window);
  w.own = IsOwnProcess(pid);
  w.executable = ExecutableOfProcess(pid);
  return w;
}

QIcon X11FocusSource::IconOf(uint32_t window) {
  // _NET_WM_ICON: width, height, then ARGB pixels, for each size given;
  // the largest up to 64 pixels wide is enough for a list.
  Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      connection_,
      xcb_get_property(connection_, 0, window, net_wm_icon_, XCB_ATOM_CARDINAL, 0, 1 << 16),
      nullptr));
  if (!reply || reply->format != 32) return {};
  const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
  const std::size_t count =
      static_cast<std::size_t>(xcb_get_property_value_length(reply.get())) / 4;
  QImage best;
  for (std::size_t at = 0; at + 2 <= count;) {
    const uint32_t width = data[at];
    const uint32_t height = data[at + 1];
    const std::size_t pixels = static_cast<std::size_t>(width) * height;
    if (width == 0 || height == 0 || width > 1024 || height > 1024 || at + 2 + pixels > count)
      break;
    if (best.isNull() || (static_cast<int>(width) > best.width() && width <= 64)) {
      QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_ARGB32);
      for (uint32_t y = 0; y < height; ++y)
        std::memcpy(image.scanLine(static_cast<int>(y)), data + at + 2 + y * width, width * 4);
      best = image;
    }
    at += 2 + pixels;
  }
  return best.isNull() ? QIcon() : QIcon(QPixmap::fromImage(best));
}

std::vector<RunningApp> X11FocusSource::RunningApplications() {
  std::vector<RunningApp> apps;
  if (!available_) return apps;
  Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      connection_,
      xcb_get_property(connection_, 0, root_, net_client_list_, XCB_ATOM_WINDOW, 0, 4096),
      nullptr));
  if (!reply) return apps;
  const auto* windows = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
  const int count = xcb_get_property_value_length(reply.get()) / 4;
  std::set<std::string> seen;
  for (int i = 0; i < count; ++i) {
    const flows::FocusedWindow w = Describe(windows[i]);
    const std::string name = flows::AppNameOf(w);
    if (w.own || name.empty() || !seen.insert(name).second) continue;
    std::string title = TextProperty(windows[i], net_wm_name_, utf8_string_);
    if (title.empty()) title = TextProperty(windows[i], XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
    apps.push_back({name, QString::fromStdString(title), IconOf(windows[i])});
  }
  std::sort(apps.begin(), apps.end(), [](const RunningApp& a, const RunningApp& b) {
    return QString::fromStdString(a.name).compare(QString::fromStdString(b.name),
                                                  Qt::CaseInsensitive) < 0;
  });
  return apps;
}

}  // namespace quorlin::ui
