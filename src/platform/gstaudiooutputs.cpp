// GStreamer's headers come first: a GLib header uses a member name that Qt defines as a macro.
#include <gst/gst.h>

#include "platform/gstaudiooutputs.h"

#include "platform/mediastack.h"

namespace {

QString takeString(gchar *text)
{
    QString out = text ? QString::fromUtf8(text) : QString();
    g_free(text);
    return out;
}

// The sound server's own name for the output: what pulsesink's "device" property takes.
QString sinkName(GstDevice *device)
{
    if (g_object_class_find_property(G_OBJECT_GET_CLASS(device), "internal-name")) {
        gchar *name = nullptr;
        g_object_get(device, "internal-name", &name, nullptr);
        return takeString(name);
    }
    GstStructure *properties = gst_device_get_properties(device);
    QString name;
    if (properties) {
        if (const gchar *value = gst_structure_get_string(properties, "device.name"))
            name = QString::fromUtf8(value);
        gst_structure_free(properties);
    }
    return name;
}

} // namespace

QList<AudioOutput> audioOutputs()
{
    QList<AudioOutput> outputs;
    if (!initMediaStack())
        return outputs;
    GstDeviceMonitor *monitor = gst_device_monitor_new();
    gst_device_monitor_add_filter(monitor, "Audio/Sink", nullptr);
    if (!gst_device_monitor_start(monitor)) {
        gst_object_unref(monitor);
        return outputs;
    }
    GList *devices = gst_device_monitor_get_devices(monitor);
    for (GList *item = devices; item; item = item->next) {
        auto *device = GST_DEVICE(item->data);
        const QString name = sinkName(device);
        if (!name.isEmpty())
            outputs.append({name, takeString(gst_device_get_display_name(device))});
    }
    g_list_free_full(devices, gst_object_unref);
    gst_device_monitor_stop(monitor);
    gst_object_unref(monitor);
    return outputs;
}
