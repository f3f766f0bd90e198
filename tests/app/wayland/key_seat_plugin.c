/* A weston module for the Wayland test: a seat with a keyboard, which a headless compositor lacks, so the program's
 * window is activated and takes keys; SIGUSR1 to the compositor presses and releases Esc on it. The seat functions
 * are exported by libweston but declared only in its private backend header, so they are declared here. */
#include <libweston/libweston.h>
#include <linux/input-event-codes.h>
#include <signal.h>
#include <stdlib.h>
#include <time.h>
#include <wayland-server.h>
#include <weston.h>

void weston_seat_init(struct weston_seat *seat, struct weston_compositor *ec, const char *seat_name);
int weston_seat_init_keyboard(struct weston_seat *seat, struct xkb_keymap *keymap);
void notify_key(struct weston_seat *seat, const struct timespec *time, uint32_t key, enum wl_keyboard_key_state state,
                enum weston_key_state_update update_state);

static struct weston_seat key_seat;

static int press_escape(int signal_number, void *data)
{
    struct timespec now;
    (void)signal_number;
    (void)data;
    clock_gettime(CLOCK_MONOTONIC, &now);
    notify_key(&key_seat, &now, KEY_ESC, WL_KEYBOARD_KEY_STATE_PRESSED, STATE_UPDATE_AUTOMATIC);
    notify_key(&key_seat, &now, KEY_ESC, WL_KEYBOARD_KEY_STATE_RELEASED, STATE_UPDATE_AUTOMATIC);
    return 0;
}

WL_EXPORT int wet_module_init(struct weston_compositor *compositor, int *argc, char *argv[])
{
    (void)argc;
    (void)argv;
    weston_seat_init(&key_seat, compositor, "test-keys");
    if (weston_seat_init_keyboard(&key_seat, NULL) < 0)
        return -1;
    wl_event_loop_add_signal(wl_display_get_event_loop(compositor->wl_display), SIGUSR1, press_escape, NULL);
    return 0;
}
