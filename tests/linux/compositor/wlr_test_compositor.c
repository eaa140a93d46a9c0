// A wlroots 0.15 compositor for the tests: no rendering, two outputs of its
// own backend, wlroots' own gamma-control and xdg-output implementations.
//   eDP-1     1920x1080 at (0,0), gamma size 256, an EDID without a name
//   HDMI-A-1  2560x1440 at (1920,0), no gamma ramp, monitor "DELL U2720Q"
// Every gamma table an output commits is written to FOLDER/NAME.ramp (3 x
// size uint16, red then green then blue; empty while the compositor's own
// ramp is shown). With --no-gamma it offers no gamma control at all. Prints
// its socket name once it listens.
#define _POSIX_C_SOURCE 200809L
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wayland-server-core.h>
#include <wlr/backend/headless.h>
#include <wlr/interfaces/wlr_output.h>
#include <wlr/types/wlr_gamma_control_v1.h>
#include <wlr/types/wlr_output.h>
#include <wlr/types/wlr_output_layout.h>
#include <wlr/types/wlr_xdg_output_v1.h>
#include <wlr/util/log.h>

struct test_output {
    struct wlr_output base;
    size_t gamma_size;
    struct wl_listener frame;
};

static const char *folder;

static void write_ramp(const char *name, const uint16_t *table, size_t entries) {
    char path[4096], temporary[4200];
    snprintf(path, sizeof path, "%s/%s.ramp", folder, name);
    snprintf(temporary, sizeof temporary, "%s.new", path);
    FILE *file = fopen(temporary, "wb");
    if (!file) return;
    if (entries) fwrite(table, sizeof(uint16_t), entries, file);
    fclose(file);
    rename(temporary, path);
}

static bool output_commit(struct wlr_output *output) {
    if (output->pending.committed & WLR_OUTPUT_STATE_GAMMA_LUT)
        write_ramp(output->name, output->pending.gamma_lut, 3 * output->pending.gamma_lut_size);
    return true;
}

static size_t output_gamma_size(struct wlr_output *output) {
    return ((struct test_output *)output)->gamma_size;
}

static void output_destroy(struct wlr_output *output) {
    struct test_output *test = (struct test_output *)output;
    wl_list_remove(&test->frame.link);
    free(test);
}

static const struct wlr_output_impl output_impl = {
    .destroy = output_destroy,
    .commit = output_commit,
    .get_gamma_size = output_gamma_size,
};

// wlroots asks for a frame after each gamma change; the commit applies it.
static void handle_frame(struct wl_listener *listener, void *data) {
    (void)listener;
    wlr_output_commit(data);
}

static void add_output(struct wlr_backend *backend, struct wl_display *display, struct wlr_output_layout *layout,
                       const char *name, const char *make, const char *model, int width, int height, int x,
                       size_t gamma_size) {
    struct test_output *output = calloc(1, sizeof *output);
    output->gamma_size = gamma_size;
    wlr_output_init(&output->base, backend, &output_impl, display);
    wlr_output_set_name(&output->base, name);
    snprintf(output->base.make, sizeof output->base.make, "%s", make);
    snprintf(output->base.model, sizeof output->base.model, "%s", model);
    wlr_output_update_custom_mode(&output->base, width, height, 60000);
    wlr_output_update_enabled(&output->base, true);
    output->frame.notify = handle_frame;
    wl_signal_add(&output->base.events.frame, &output->frame);
    wlr_output_create_global(&output->base);
    wlr_output_layout_add(layout, &output->base, x, 0);
    write_ramp(name, NULL, 0);
}

int main(int argc, char **argv) {
    if (argc < 2 || argc > 3 || (argc == 3 && strcmp(argv[2], "--no-gamma") != 0)) {
        fprintf(stderr, "usage: %s FOLDER [--no-gamma]\n", argv[0]);
        return 2;
    }
    folder = argv[1];
    wlr_log_init(WLR_ERROR, NULL);
    struct wl_display *display = wl_display_create();
    struct wlr_backend *backend = wlr_headless_backend_create(display);
    struct wlr_output_layout *layout = wlr_output_layout_create();
    wlr_xdg_output_manager_v1_create(display, layout);
    if (argc == 2) wlr_gamma_control_manager_v1_create(display);
    add_output(backend, display, layout, "eDP-1", "BOE", "0x0747", 1920, 1080, 0, 256);
    add_output(backend, display, layout, "HDMI-A-1", "Dell Inc.", "DELL U2720Q", 2560, 1440, 1920, 0);
    const char *socket = wl_display_add_socket_auto(display);
    if (!socket) {
        fprintf(stderr, "wlr_test_compositor: no socket in XDG_RUNTIME_DIR\n");
        return 1;
    }
    printf("%s\n", socket);
    fflush(stdout);
    wl_display_run(display);
    wl_display_destroy_clients(display);
    wl_display_destroy(display);
    return 0;
}
