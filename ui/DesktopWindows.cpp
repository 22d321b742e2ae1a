#include "ui/DesktopWindows.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <QGuiApplication>
#include <xcb/xcb.h>

namespace {

template <class T>
using TReply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  TReply<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr), &std::free);
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// A property's bytes; titles are read up to 1 KiB, the window list up to 64 Ki windows.
std::string Property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                     uint32_t longs) {
  TReply<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, property, type, 0, longs), nullptr),
      &std::free);
  if (!reply || reply->type == XCB_ATOM_NONE) return {};
  return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                     static_cast<size_t>(xcb_get_property_value_length(reply.get())));
}

} // namespace

bool RaiseWindowTitled(const std::string& titlePrefix) {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection) return false;
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  const xcb_atom_t clientList = Atom(connection, "_NET_CLIENT_LIST");
  const xcb_atom_t wmName = Atom(connection, "_NET_WM_NAME");
  const xcb_atom_t utf8 = Atom(connection, "UTF8_STRING");
  const std::string prefix = titlePrefix.substr(0, 31);
  const std::string list = Property(connection, root, clientList, XCB_ATOM_WINDOW, 65536);
  std::vector<xcb_window_t> windows(list.size() / sizeof(xcb_window_t));
  std::memcpy(windows.data(), list.data(), windows.size() * sizeof(xcb_window_t));
  for (xcb_window_t window : windows) {
    std::string title = Property(connection, window, wmName, utf8, 256);
    if (title.empty()) title = Property(connection, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 256);
    if (!title.substr(0, 31).starts_with(prefix)) continue;
    // Mapping restores a minimised window; the window manager then activates it and raises it.
    xcb_map_window(connection, window);
    xcb_client_message_event_t event = {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = Atom(connection, "_NET_ACTIVE_WINDOW");
    event.data.data32[0] = 2;   // as a pager asks, which focus-stealing prevention lets through
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(connection);
    return true;
  }
  return false;
}
