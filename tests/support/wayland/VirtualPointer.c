// SPDX-License-Identifier: MIT
// A pointer for wlroots compositors without input devices (headless sway): moves, clicks and scrolls as
// told, through the virtual-pointer protocol. Commands come from standard input a line at a time, "ok"
// answered after each line; they run in order:
//   move X Y      absolute position on the 1920x1080 output
//   wheel N       N wheel notches, negative up
//   touchpad D    one touchpad scroll event of D pixels, negative up
//   click B       press and release left or middle
//   sleep MS
// The pointer lives as long as the program: a seat that loses its last pointer makes clients drop theirs,
// and they take a moment to pick up a new one.
// Usage: lumvex-virtual-pointer
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <linux/input-event-codes.h>
#include <stdbool.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

static struct zwlr_virtual_pointer_manager_v1 *manager;

static void global(void *data, struct wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    (void)data;
    (void)version;
    if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
    }
}

static void global_remove(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registry_listener = {global, global_remove};

static uint32_t now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (uint32_t)(ts.tv_sec * 1000 + ts.tv_nsec / 1000000);
}

static bool run(struct wl_display *display, struct zwlr_virtual_pointer_v1 *pointer, int argc, char **argv)
{
    for (int i = 0; i < argc; ++i) {
        const char *command = argv[i];
        const char *arg = i + 1 < argc ? argv[i + 1] : "0";
        if (strcmp(command, "move") == 0 && i + 2 < argc) {
            zwlr_virtual_pointer_v1_motion_absolute(pointer, now_ms(), (uint32_t)atoi(argv[i + 1]),
                                                    (uint32_t)atoi(argv[i + 2]), 1920, 1080);
            zwlr_virtual_pointer_v1_frame(pointer);
            i += 2;
        } else if (strcmp(command, "wheel") == 0) {
            const int notches = atoi(arg);
            zwlr_virtual_pointer_v1_axis_source(pointer, WL_POINTER_AXIS_SOURCE_WHEEL);
            zwlr_virtual_pointer_v1_axis_discrete(pointer, now_ms(), WL_POINTER_AXIS_VERTICAL_SCROLL,
                                                  wl_fixed_from_int(15 * notches), notches);
            zwlr_virtual_pointer_v1_frame(pointer);
            ++i;
        } else if (strcmp(command, "touchpad") == 0) {
            zwlr_virtual_pointer_v1_axis_source(pointer, WL_POINTER_AXIS_SOURCE_FINGER);
            zwlr_virtual_pointer_v1_axis(pointer, now_ms(), WL_POINTER_AXIS_VERTICAL_SCROLL,
                                         wl_fixed_from_double(atof(arg)));
            zwlr_virtual_pointer_v1_frame(pointer);
            zwlr_virtual_pointer_v1_axis_source(pointer, WL_POINTER_AXIS_SOURCE_FINGER);
            zwlr_virtual_pointer_v1_axis_stop(pointer, now_ms(), WL_POINTER_AXIS_VERTICAL_SCROLL);
            zwlr_virtual_pointer_v1_frame(pointer);
            ++i;
        } else if (strcmp(command, "click") == 0) {
            const uint32_t button = strcmp(arg, "middle") == 0 ? BTN_MIDDLE : BTN_LEFT;
            zwlr_virtual_pointer_v1_button(pointer, now_ms(), button, WL_POINTER_BUTTON_STATE_PRESSED);
            zwlr_virtual_pointer_v1_frame(pointer);
            zwlr_virtual_pointer_v1_button(pointer, now_ms(), button, WL_POINTER_BUTTON_STATE_RELEASED);
            zwlr_virtual_pointer_v1_frame(pointer);
            ++i;
        } else if (strcmp(command, "sleep") == 0) {
            wl_display_flush(display);
            const long ms = atol(arg);
            const struct timespec pause = {ms / 1000, (ms % 1000) * 1000000};
            nanosleep(&pause, NULL);
            ++i;
        } else {
            fprintf(stderr, "virtual-pointer: unknown command %s\n", command);
            return false;
        }
        wl_display_roundtrip(display);
    }
    return true;
}

int main(void)
{
    struct wl_display *display = wl_display_connect(NULL);
    if (display == NULL) {
        fprintf(stderr, "virtual-pointer: no Wayland display\n");
        return 1;
    }
    struct wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (manager == NULL) {
        fprintf(stderr, "virtual-pointer: the compositor offers no virtual pointers\n");
        wl_registry_destroy(registry);
        wl_display_disconnect(display);
        return 1;
    }
    struct zwlr_virtual_pointer_v1 *pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, NULL);
    wl_display_roundtrip(display);
    int status = 0;
    char line[512];
    while (status == 0 && fgets(line, sizeof line, stdin) != NULL) {
        char *words[64];
        int count = 0;
        for (char *word = strtok(line, " \t\n"); word != NULL && count < 64; word = strtok(NULL, " \t\n")) {
            words[count++] = word;
        }
        status = run(display, pointer, count, words) ? 0 : 2;
        printf("ok\n");
        fflush(stdout);
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    zwlr_virtual_pointer_manager_v1_destroy(manager);
    wl_registry_destroy(registry);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return status;
}
