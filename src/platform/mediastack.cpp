// GStreamer's headers come first: a GLib header uses a member name that Qt defines as a macro.
#include <gst/gst.h>

#include "platform/mediastack.h"

#include <initializer_list>

namespace {

bool hasElements(std::initializer_list<const char *> names)
{
    for (const char *name : names) {
        GstElementFactory *factory = gst_element_factory_find(name);
        if (!factory)
            return false;
        gst_object_unref(factory);
    }
    return true;
}

bool findBackend()
{
    return initMediaStack() && hasElements({"playbin", "pulsesink", "appsink", "videoscale"});
}

} // namespace

QString missingMediaStackWarning()
{
    return QStringLiteral("ATTENZIONE!!! Il modulo di riproduzione GStreamer non è "
                          "disponibile: le canzoni non potranno essere ascoltate.");
}

bool initMediaStack()
{
    static const bool started = gst_init_check(nullptr, nullptr, nullptr) != FALSE;
    return started;
}

bool mediaBackendFound()
{
    static const bool found = findBackend();
    return found;
}

bool warmMediaStack()
{
    if (!mediaBackendFound())
        return false;
    // The plugins a song's first load needs; once loaded they stay loaded for the run.
    for (const char *name : {"playbin", "pulsesink", "decodebin", "uridecodebin", "filesrc",
                             "typefind", "audioconvert", "audioresample", "volume", "appsink",
                             "videoconvert", "videoscale", "wavparse"}) {
        GstElementFactory *factory = gst_element_factory_find(name);
        if (!factory)
            continue;
        GstPluginFeature *loaded = gst_plugin_feature_load(GST_PLUGIN_FEATURE(factory));
        if (loaded)
            gst_object_unref(loaded);
        gst_object_unref(factory);
    }
    return true;
}
