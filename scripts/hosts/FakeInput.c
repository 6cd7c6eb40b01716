// SPDX-License-Identifier: MIT
// A pointer for KWin through its fake-input protocol (KWin must run with KWIN_WAYLAND_NO_PERMISSION_CHECKS=1).
// Reads lines of commands from standard input and answers "ok" after each:
//   move X Y   absolute position     axis V   one vertical axis event of V (negative up)
//   click B    left, middle or right sleep MS
//   key K      press and release the key of evdev code K (28: Enter, 15: Tab)
#include "fake-input-client-protocol.h"

#include <linux/input-event-codes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

static struct org_kde_kwin_fake_input *input;

static void global(void *data, struct wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    (void)data;
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0) {
        input = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, version < 4 ? version : 4);
    }
}

static void global_remove(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener listener = {global, global_remove};

int main(void)
{
    struct wl_display *display = wl_display_connect(NULL);
    if (display == NULL) {
        fprintf(stderr, "fake-input: no Wayland display\n");
        return 1;
    }
    wl_registry_add_listener(wl_display_get_registry(display), &listener, NULL);
    wl_display_roundtrip(display);
    if (input == NULL) {
        fprintf(stderr, "fake-input: the compositor offers no fake input\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(input, "lumvex tests", "drives the tray");
    char line[512];
    while (fgets(line, sizeof line, stdin) != NULL) {
        char *words[64];
        int count = 0;
        for (char *word = strtok(line, " \t\n"); word != NULL && count < 64; word = strtok(NULL, " \t\n")) {
            words[count++] = word;
        }
        for (int i = 0; i + 1 < count; i += 2) {
            const char *arg = words[i + 1];
            if (strcmp(words[i], "move") == 0 && i + 2 < count) {
                org_kde_kwin_fake_input_pointer_motion_absolute(input, wl_fixed_from_int(atoi(arg)),
                                                                wl_fixed_from_int(atoi(words[i + 2])));
                ++i;
            } else if (strcmp(words[i], "axis") == 0) {
                org_kde_kwin_fake_input_axis(input, WL_POINTER_AXIS_VERTICAL_SCROLL, wl_fixed_from_double(atof(arg)));
            } else if (strcmp(words[i], "click") == 0) {
                const uint32_t button = strcmp(arg, "right") == 0 ? BTN_RIGHT : strcmp(arg, "middle") == 0 ? BTN_MIDDLE : BTN_LEFT;
                org_kde_kwin_fake_input_button(input, button, WL_POINTER_BUTTON_STATE_PRESSED);
                wl_display_roundtrip(display);
                org_kde_kwin_fake_input_button(input, button, WL_POINTER_BUTTON_STATE_RELEASED);
            } else if (strcmp(words[i], "key") == 0) {
                org_kde_kwin_fake_input_keyboard_key(input, (uint32_t)atoi(arg), WL_KEYBOARD_KEY_STATE_PRESSED);
                wl_display_roundtrip(display);
                org_kde_kwin_fake_input_keyboard_key(input, (uint32_t)atoi(arg), WL_KEYBOARD_KEY_STATE_RELEASED);
            } else if (strcmp(words[i], "sleep") == 0) {
                const long ms = atol(arg);
                nanosleep(&(struct timespec){ms / 1000, (ms % 1000) * 1000000}, NULL);
            }
            wl_display_roundtrip(display);
        }
        printf("ok\n");
        fflush(stdout);
    }
    wl_display_disconnect(display);
    return 0;
}
