/* Preloaded into a program that presents with SDL_GL_SwapWindow: at the first
 * present it writes the milliseconds since VELMORA_PROBE_T0 (nanoseconds of
 * CLOCK_REALTIME, taken just before the program was started) to stderr, and with
 * VELMORA_PROBE_EXIT set ends the process there, so that a start-up can be
 * timed without waiting for the program to close. */
#define _GNU_SOURCE
#include <SDL.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static int presented;

static double millisecondsSinceLaunch(void) {
    const char* launch = getenv("VELMORA_PROBE_T0");
    if (!launch) return -1.0;
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    const double nowNs = (double)now.tv_sec * 1e9 + (double)now.tv_nsec;
    return (nowNs - strtod(launch, NULL)) / 1e6;
}

void SDL_GL_SwapWindow(SDL_Window* window) {
    static void (*realSwap)(SDL_Window*);
    if (!realSwap) *(void**)(&realSwap) = dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
    realSwap(window);
    if (presented++) return;
    fprintf(stderr, "first-frame-ms %.1f\n", millisecondsSinceLaunch());
    if (getenv("VELMORA_PROBE_EXIT")) _exit(0);
}
