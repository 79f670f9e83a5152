// GStreamer's headers come first: a GLib header uses a member name that Qt defines as a macro.
#include <gst/gst.h>
#include <gst/pbutils/pbutils.h>

#include "platform/tagreader.h"

#include <QFileInfo>

#include <mutex>

namespace {

constexpr GstClockTime DiscoverTimeout = 5 * GST_SECOND;

QString tagText(const GstTagList *tags, const char *tag)
{
    gchar *value = nullptr;
    if (!tags || !gst_tag_list_get_string(tags, tag, &value))
        return {};
    QString text = QString::fromUtf8(value).trimmed();
    g_free(value);
    return text;
}

} // namespace

namespace Tags {

SongTags read(const QString &path)
{
    static std::once_flag once;
    std::call_once(once, [] { gst_init(nullptr, nullptr); });
    SongTags out;
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return out;
    GstDiscoverer *discoverer = gst_discoverer_new(DiscoverTimeout, nullptr);
    if (!discoverer)
        return out;
    const QByteArray file = QFile::encodeName(info.absoluteFilePath());
    gchar *uri = gst_filename_to_uri(file.constData(), nullptr);
    GstDiscovererInfo *found =
        uri ? gst_discoverer_discover_uri(discoverer, uri, nullptr) : nullptr;
    g_free(uri);
    if (found) {
        const GstTagList *tags = gst_discoverer_info_get_tags(found);
        out.title = tagText(tags, GST_TAG_TITLE);
        out.artist = tagText(tags, GST_TAG_ARTIST);
        gst_discoverer_info_unref(found);
    }
    g_object_unref(discoverer);
    return out;
}

QString shownTitle(const SongTags &tags, const QString &path)
{
    if (tags.title.isEmpty())
        return QFileInfo(path).completeBaseName();
    return tags.artist.isEmpty() ? tags.title : tags.title + u" - " + tags.artist;
}

} // namespace Tags

TagReader::TagReader(QObject *parent) : QObject(parent)
{
    m_pool.setMaxThreadCount(1);
}

TagReader::~TagReader()
{
    m_pool.clear();
    m_pool.waitForDone();
}

void TagReader::read(int ticket, const QString &path)
{
    // Reads wait their turn: the newest one is the one the room will see, and a stale one
    // is dropped by its ticket.
    m_pool.start([this, ticket, path] {
        const QString text = Tags::shownTitle(Tags::read(path), path);
        QMetaObject::invokeMethod(
            this, [this, ticket, text] { emit titleRead(ticket, text); }, Qt::QueuedConnection);
    });
}
