// SPDX-License-Identifier: MIT
#include "SharedMemoryCapture.h"

#include "X11Connection.h"

#include <QGuiApplication>
#include <QTimer>
#include <cstdlib>
#include <limits>
#include <memory>
#include <sys/shm.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

namespace {

// The root visual holds red, green and blue in the bytes of a 32-bit word,
// blue lowest, in the machine's own order: a QImage::Format_RGB32.
bool IsXrgb32(const xcb_setup_t* setup, const xcb_screen_t* screen)
{
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) { // GCOVR_EXCL_BR_LINE: x86 only
        return false; // GCOVR_EXCL_LINE: no big-endian X server here
    }
    bool words = false;
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f)) {
        words |= f.data->depth == screen->root_depth && f.data->bits_per_pixel == 32 &&
                 f.data->scanline_pad == 32;
    }
    for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem; xcb_depth_next(&d)) {
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v)) {
            if (v.data->visual_id == screen->root_visual) {
                return words && v.data->red_mask == 0xFF0000 && v.data->green_mask == 0xFF00 &&
                       v.data->blue_mask == 0xFF;
            }
        }
    }
    return false; // GCOVR_EXCL_LINE: X lists the root visual among the screen's depths
}

// A segment attached on both sides. The server's side is detached by
// Release, while the connection is sure to be open; at exit the connection's
// end detaches it.
struct Segment
{
    xcb_shm_seg_t id;
    void* memory;
    qsizetype bytes;
    ~Segment() { shmdt(memory); }
};

// The last segment, kept a while after its pictures have gone: picks in a
// row reuse memory already mapped on both sides, where a new segment costs a
// page fault a page on each side, a screenful of them, as it is first filled
// and read.
std::shared_ptr<Segment> g_kept;
unsigned g_grabs = 0;
constexpr int KeptFor = 30000; // milliseconds after the last grab

std::shared_ptr<Segment> Attach(xcb_connection_t* connection, qsizetype bytes)
{
    const int id = shmget(IPC_PRIVATE, static_cast<size_t>(bytes), IPC_CREAT | 0600);
    if (id < 0) {       // GCOVR_EXCL_BR_LINE: shmget fails only past the kernel's limits
        return nullptr; // GCOVR_EXCL_LINE: shmget fails only past the kernel's limits
    }
    void* memory = shmat(id, nullptr, 0);
    const xcb_shm_seg_t segment = xcb_generate_id(connection);
    xcb_generic_error_t* refused =
        memory == reinterpret_cast<void*>(-1) // GCOVR_EXCL_BR_LINE: a fresh segment attaches
            ? nullptr
            : xcb_request_check(
                  connection,
                  xcb_shm_attach_checked(connection, segment, static_cast<std::uint32_t>(id), 0));
    // Marked for removal once both sides have attached it: the kernel frees it
    // when the last one detaches, even if this program ends without doing so.
    shmctl(id, IPC_RMID, nullptr);
    if (memory == reinterpret_cast<void*>(-1)) { // GCOVR_EXCL_BR_LINE: a fresh segment of ours
        return nullptr; // GCOVR_EXCL_LINE: attaches unless the address space is full
    }
    if (refused != nullptr) {
        std::free(refused);
        shmdt(memory);
        return nullptr;
    }
    return std::shared_ptr<Segment>(new Segment{segment, memory, bytes});
}

// Lets the kept segment go once no picture uses it and no grab came since.
void Release(xcb_connection_t* connection, unsigned grab)
{
    if (grab != g_grabs || !g_kept) {
        return; // a newer grab keeps it
    }
    if (g_kept.use_count() > 1) {
        QTimer::singleShot(KeptFor, qGuiApp, [=] { Release(connection, grab); });
        return;
    }
    xcb_shm_detach(connection, g_kept->id);
    xcb_flush(connection);
    g_kept.reset();
}

// What an image of a grab holds: the memory, and the server's pixmap over
// it, freed with the image's last copy. A window's background keeps its
// pixmap on the server as long as the window lives.
struct Held
{
    std::shared_ptr<Segment> segment;
    xcb_connection_t* connection;
    xcb_pixmap_t pixmap;
    ~Held()
    {
        // GCOVR_EXCL_BR_START: pictures go before the application; every server here shares pixmaps
        if (pixmap != 0 && QtXcbConnection() == connection) { // not once the application has gone
            xcb_free_pixmap(connection, pixmap);
            xcb_flush(connection);
        }
        // GCOVR_EXCL_BR_STOP
    }
};

} // namespace

std::optional<SharedMemoryCapture> SharedMemoryCapture::Open()
{
    xcb_connection_t* connection = QtXcbConnection();
    if (connection == nullptr) {
        return std::nullopt;
    }
    const xcb_query_extension_reply_t* shm = xcb_get_extension_data(connection, &xcb_shm_id);
    const xcb_setup_t* setup = xcb_get_setup(connection);
    // Several X screens (not monitors of one screen) have roots of their own.
    if (shm == nullptr || !shm->present || xcb_setup_roots_length(setup) != 1) {
        return std::nullopt;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
    if (!IsXrgb32(setup, screen)) {
        return std::nullopt;
    }
    xcb_shm_query_version_reply_t* version =
        xcb_shm_query_version_reply(connection, xcb_shm_query_version(connection), nullptr);
    // GCOVR_EXCL_BR_START: every server here answers and shares pixmaps in the Z layout
    const bool pixmaps = version != nullptr && version->shared_pixmaps != 0 &&
                         version->pixmap_format == XCB_IMAGE_FORMAT_Z_PIXMAP;
    // GCOVR_EXCL_BR_STOP
    std::free(version);
    return SharedMemoryCapture(connection, screen->root, screen->root_depth, pixmaps);
}

std::vector<SharedMemoryCapture::Picture>
SharedMemoryCapture::Grab(const std::vector<QRect>& areas) const
{
    constexpr int Most = std::numeric_limits<std::uint16_t>::max();
    constexpr int Far = std::numeric_limits<std::int16_t>::max();
    // Each area's place in the segment, one after the other, and the end.
    std::vector<qsizetype> starts{0};
    // GCOVR_EXCL_BR_START: screens are never empty nor past X's 16-bit sizes
    for (const QRect& area : areas) {
        if (area.isEmpty() || area.width() > Most || area.height() > Most || area.x() < 0 ||
            area.y() < 0 || area.x() > Far || area.y() > Far) {
            return {}; // GCOVR_EXCL_LINE: screens are never empty nor past X's 16-bit sizes
        }
        starts.push_back(starts.back() + qsizetype{4} * area.width() * area.height());
    }
    const qsizetype bytes = starts.back();
    if (areas.empty() || bytes > std::numeric_limits<std::uint32_t>::max()) {
        return {}; // GCOVR_EXCL_LINE: Qt always has a screen; none holds 4 GiB
    }
    // GCOVR_EXCL_BR_STOP
    if (g_kept && g_kept.use_count() > 1) { // GCOVR_EXCL_BR_LINE: one pick at a time
        return {}; // GCOVR_EXCL_LINE: still shown by another pick; the program runs one at a time
    }
    if (!g_kept || g_kept->bytes < bytes) {
        if (g_kept) {
            xcb_shm_detach(m_connection, g_kept->id);
            g_kept.reset();
        }
        g_kept = Attach(m_connection, bytes);
        if (!g_kept) {
            return {};
        }
    }
    QTimer::singleShot(KeptFor, qGuiApp, [connection = m_connection, grab = ++g_grabs] {
        Release(connection, grab);
    });
    // Several screens are read in a row with no other program's drawing in
    // between, so all show one moment.
    if (areas.size() > 1) {
        xcb_grab_server(m_connection);
    }
    std::vector<xcb_shm_get_image_cookie_t> reads;
    for (size_t i = 0; i < areas.size(); ++i) {
        const QRect& area = areas[i];
        reads.push_back(xcb_shm_get_image(
            m_connection, m_root, static_cast<std::int16_t>(area.x()),
            static_cast<std::int16_t>(area.y()), static_cast<std::uint16_t>(area.width()),
            static_cast<std::uint16_t>(area.height()), ~0U, XCB_IMAGE_FORMAT_Z_PIXMAP, g_kept->id,
            static_cast<std::uint32_t>(starts[i])));
    }
    if (areas.size() > 1) {
        xcb_ungrab_server(m_connection);
    }
    std::vector<Picture> pictures;
    for (size_t i = 0; i < areas.size(); ++i) {
        const QRect& area = areas[i];
        const qsizetype line = qsizetype{4} * area.width();
        xcb_generic_error_t* failed = nullptr;
        xcb_shm_get_image_reply_t* reply = xcb_shm_get_image_reply(m_connection, reads[i], &failed);
        std::free(failed); // told by the empty answer, not as Qt's warning
        // GCOVR_EXCL_BR_START: a server that attached the segment fills it at the root's depth
        const bool filled = reply != nullptr && reply->depth == m_depth &&
                            reply->size >= static_cast<std::uint32_t>(line * area.height());
        // GCOVR_EXCL_BR_STOP
        std::free(reply);
        // A pixmap over the same memory: the server shows the picture from
        // there, with no copy on either side.
        xcb_pixmap_t pixmap = 0;
        if (m_sharedPixmaps) { // GCOVR_EXCL_BR_LINE: every server here shares pixmaps
            pixmap = xcb_generate_id(m_connection);
            xcb_shm_create_pixmap(m_connection, pixmap, m_root,
                                  static_cast<std::uint16_t>(area.width()),
                                  static_cast<std::uint16_t>(area.height()), m_depth, g_kept->id,
                                  static_cast<std::uint32_t>(starts[i]));
        }
        // The image holds the memory and its pixmap until its last copy goes.
        QImage image(
            static_cast<uchar*>(g_kept->memory) + starts[i], area.width(), area.height(), line,
            QImage::Format_RGB32, [](void* held) { delete static_cast<Held*>(held); },
            new Held{g_kept, m_connection, pixmap});
        if (filled) { // GCOVR_EXCL_BR_LINE: a server that attached the segment fills it
            pictures.push_back({std::move(image), pixmap});
        }
    }
    if (pictures.size() != areas.size()) { // GCOVR_EXCL_BR_LINE: as above
        return {}; // GCOVR_EXCL_LINE: each image made frees its pixmap as it goes
    }
    return pictures;
}

bool SharedMemoryCapture::ShowAsBackground(WId window, std::uint32_t pixmap)
{
    xcb_connection_t* connection = QtXcbConnection();
    if (connection == nullptr) { // GCOVR_EXCL_BR_LINE: a pixmap comes only from X11
        return false;            // GCOVR_EXCL_LINE: a pixmap comes only from an X11 connection
    }
    const auto id = static_cast<xcb_window_t>(window);
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr);
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const bool same =
        geometry != nullptr && geometry->depth == xcb_setup_roots_iterator(setup).data->root_depth;
    std::free(geometry);
    if (same) {
        xcb_change_window_attributes(connection, id, XCB_CW_BACK_PIXMAP, &pixmap);
    }
    return same;
}
