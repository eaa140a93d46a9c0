// Mutter 43's own test compositor (libmutter-test), nested in the X server
// of $DISPLAY, without Xwayland: one monitor on one CRTC with a linear gamma
// ramp of 256 entries, and org.gnome.Mutter.DisplayConfig on the session bus.
// SIGUSR1 plugs the same monitor in again: a new serial, then MonitorsChanged. Runs until SIGTERM.
#include <glib-unix.h>
#include <meta-test/meta-context-test.h>
#include <meta/meta-backend.h>
#include <stdio.h>

// Exported by libmutter and libmutter-test, declared only in their private headers.
typedef struct _MetaGpu MetaGpu;
typedef struct {
    GList *modes;
    GList *outputs;
    GList *crtcs;
} MetaMonitorTestSetup;
MetaGpu *meta_test_get_gpu(MetaBackend *backend);
GList *meta_gpu_get_modes(MetaGpu *gpu);
GList *meta_gpu_get_outputs(MetaGpu *gpu);
GList *meta_gpu_get_crtcs(MetaGpu *gpu);
void meta_monitor_manager_test_emulate_hotplug(MetaMonitorManager *manager, MetaMonitorTestSetup *setup);

static gpointer ref(gconstpointer object, gpointer unused) {
    (void)unused;
    return g_object_ref((gpointer)object);
}

// The same monitors plugged in again: the GPU takes over the lists it is given.
static gboolean hotplug(gpointer context) {
    MetaBackend *backend = meta_context_get_backend(context);
    MetaGpu *gpu = meta_test_get_gpu(backend);
    MetaMonitorTestSetup *setup = g_new0(MetaMonitorTestSetup, 1);
    setup->modes = g_list_copy_deep(meta_gpu_get_modes(gpu), ref, NULL);
    setup->outputs = g_list_copy_deep(meta_gpu_get_outputs(gpu), ref, NULL);
    setup->crtcs = g_list_copy_deep(meta_gpu_get_crtcs(gpu), ref, NULL);
    meta_monitor_manager_test_emulate_hotplug(meta_backend_get_monitor_manager(backend), setup);
    return G_SOURCE_CONTINUE;
}

static gboolean quit(gpointer context) {
    meta_context_terminate(context);
    return G_SOURCE_REMOVE;
}

int main(int argc, char **argv) {
    MetaContext *context = meta_create_test_context(META_CONTEXT_TEST_TYPE_NESTED, META_CONTEXT_TEST_FLAG_NO_X11);
    GError *error = NULL;
    if (!meta_context_configure(context, &argc, &argv, &error)) {
        fprintf(stderr, "mutter_test_compositor: %s\n", error->message);
        return 1;
    }
    // The test framework makes every warning fatal; a missing colord is one.
    g_log_set_always_fatal(G_LOG_FATAL_MASK);
    g_log_set_fatal_mask(NULL, G_LOG_FATAL_MASK);
    if (!meta_context_setup(context, &error) || !meta_context_start(context, &error)) {
        fprintf(stderr, "mutter_test_compositor: %s\n", error->message);
        return 1;
    }
    g_unix_signal_add(SIGTERM, quit, context);
    g_unix_signal_add(SIGUSR1, hotplug, context);
    meta_context_notify_ready(context);
    if (!meta_context_run_main_loop(context, &error)) {
        fprintf(stderr, "mutter_test_compositor: %s\n", error->message);
        return 1;
    }
    g_object_unref(context);
    return 0;
}
