// SPDX-License-Identifier: MIT
#include "X11Pointer.h"

#include "X11Connection.h"

#include <cstdlib>

bool X11Pointer::MoveBy(QPoint step)
{
    xcb_connection_t* connection = QtXcbConnection();
    if (connection == nullptr) {
        return false;
    }
    // From wherever the pointer is, by the step: no window given.
    xcb_warp_pointer(connection, XCB_NONE, XCB_NONE, 0, 0, 0, 0,
                     static_cast<std::int16_t>(step.x()), static_cast<std::int16_t>(step.y()));
    xcb_flush(connection);
    return true;
}

std::optional<QPoint> X11Pointer::Position()
{
    xcb_connection_t* connection = QtXcbConnection();
    if (connection == nullptr) {
        return std::nullopt;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_query_pointer_reply_t* reply =
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, root), nullptr);
    if (reply == nullptr) {  // GCOVR_EXCL_BR_LINE: the root's pointer is answered while connected
        return std::nullopt; // GCOVR_EXCL_LINE: answered while connected
    }
    const QPoint at(reply->root_x, reply->root_y);
    std::free(reply);
    return at;
}
