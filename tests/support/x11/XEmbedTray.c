// SPDX-License-Identifier: MIT
// An XEmbed system tray for tests, as old panels have it: owns _NET_SYSTEM_TRAY_S0 on the default
// screen, docks the icons that ask (22x22 pixels side by side from the top left corner, in the order
// they asked) and prints "docked N" for each. Then it reads commands from standard input, a line at a
// time, and answers "ok" after each:
//   wheel N NOTCHES   NOTCHES wheel clicks (negative up) with the pointer over icon N (0 first)
// Usage: lumvex-xembed-tray
#include <stdbool.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

enum { kIconSize = 22, kMaxIcons = 8, kRequestDock = 0 };

static xcb_atom_t atom(xcb_connection_t *x, const char *name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, strlen(name), name), NULL);
    const xcb_atom_t result = reply ? reply->atom : XCB_ATOM_NONE;
    free(reply);
    return result;
}

static void wheel(xcb_connection_t *x, xcb_window_t root, int icon, int notches)
{
    xcb_test_fake_input(x, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root, icon * kIconSize + kIconSize / 2,
                        kIconSize / 2, 0);
    const uint8_t button = notches < 0 ? 4 : 5;
    for (int i = 0; i < abs(notches); ++i) {
        xcb_test_fake_input(x, XCB_BUTTON_PRESS, button, XCB_CURRENT_TIME, root, 0, 0, 0);
        xcb_test_fake_input(x, XCB_BUTTON_RELEASE, button, XCB_CURRENT_TIME, root, 0, 0, 0);
    }
    free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), NULL)); // the server has them all
}

int main(void)
{
    int screenNumber = 0;
    xcb_connection_t *x = xcb_connect(NULL, &screenNumber);
    if (xcb_connection_has_error(x)) {
        fprintf(stderr, "xembed-tray: no X display\n");
        xcb_disconnect(x);
        return 1;
    }
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    char selectionName[32];
    snprintf(selectionName, sizeof selectionName, "_NET_SYSTEM_TRAY_S%d", screenNumber);
    const xcb_atom_t selection = atom(x, selectionName);
    const xcb_atom_t opcode = atom(x, "_NET_SYSTEM_TRAY_OPCODE");
    const xcb_atom_t manager = atom(x, "MANAGER");

    const xcb_window_t tray = xcb_generate_id(x);
    const uint32_t values[] = {screen->black_pixel, 1};
    xcb_create_window(x, XCB_COPY_FROM_PARENT, tray, screen->root, 0, 0, kIconSize * kMaxIcons, kIconSize, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT,
                      values);
    xcb_map_window(x, tray);
    xcb_set_selection_owner(x, tray, selection, XCB_CURRENT_TIME);

    xcb_client_message_event_t announce = {0};
    announce.response_type = XCB_CLIENT_MESSAGE;
    announce.format = 32;
    announce.window = screen->root;
    announce.type = manager;
    announce.data.data32[0] = XCB_CURRENT_TIME;
    announce.data.data32[1] = selection;
    announce.data.data32[2] = tray;
    xcb_send_event(x, 0, screen->root, XCB_EVENT_MASK_STRUCTURE_NOTIFY, (const char *)&announce);
    xcb_flush(x);

    int docked = 0;
    int status = 0;
    char line[256];
    const int fd = xcb_get_file_descriptor(x);
    for (;;) {
        xcb_generic_event_t *event;
        while ((event = xcb_poll_for_event(x)) != NULL) {
            const xcb_client_message_event_t *message = (const xcb_client_message_event_t *)event;
            if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE && message->type == opcode &&
                message->data.data32[1] == kRequestDock && docked < kMaxIcons) {
                const xcb_window_t icon = message->data.data32[2];
                xcb_reparent_window(x, icon, tray, (int16_t)(docked * kIconSize), 0);
                const uint32_t size[] = {kIconSize, kIconSize};
                xcb_configure_window(x, icon, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
                xcb_map_window(x, icon);
                xcb_flush(x);
                printf("docked %d\n", docked++);
                fflush(stdout);
            }
            free(event);
        }
        if (xcb_connection_has_error(x)) {
            status = 1;
            break;
        }
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(fd, &ready);
        FD_SET(0, &ready);
        if (select(fd + 1, &ready, NULL, NULL, NULL) < 0) {
            status = 1;
            break;
        }
        if (FD_ISSET(0, &ready)) {
            if (fgets(line, sizeof line, stdin) == NULL) {
                break;
            }
            int icon = 0, notches = 0;
            if (sscanf(line, "wheel %d %d", &icon, &notches) == 2) {
                wheel(x, screen->root, icon, notches);
            }
            printf("ok\n");
            fflush(stdout);
        }
    }
    xcb_disconnect(x);
    return status;
}
