/* The floor for the command-line batch: the same number of files under the same names, each
 * created and written with as many bytes as the tool writes on average (by default 5,662: a
 * 200 x 200 one-bit BMP), with nothing computed.
 * With "safe JOBS" after them, each file is made as the tool makes a new one, so that a kill
 * never leaves part of it under its name (an unnamed file linked in once written, O_TMPFILE +
 * linkat), on JOBS threads taking 16 lines at a time, each with a descriptor table of its own:
 * what the file system alone costs the tool.
 * Usage: qrbatch-floor INPUT DIR [BYTES [EXTENSION [safe JOBS]]]; prints the seconds taken. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <pthread.h>
#include <sched.h>
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

enum { kTake = 16 };

struct Batch {
    char** names;
    size_t count;
    atomic_size_t next;
    int folder;
    const char* bytes;
    size_t size;
    const char* extension;
    atomic_int failed;
};

static void* MakeSafely(void* argument) {
    struct Batch* batch = argument;
    char name[8192];
    unshare(CLONE_FILES); /* as the tool's workers: no table shared with the other threads */
    for (;;) {
        const size_t first = atomic_fetch_add(&batch->next, kTake);
        if (first >= batch->count) return NULL;
        const size_t last = first + kTake < batch->count ? first + kTake : batch->count;
        for (size_t i = first; i < last; ++i) {
            snprintf(name, sizeof name, "%s%s", batch->names[i], batch->extension);
            const int fd = openat(batch->folder, ".", O_TMPFILE | O_WRONLY, 0666);
            if (fd < 0 || write(fd, batch->bytes, batch->size) != (ssize_t)batch->size ||
                linkat(fd, "", batch->folder, name, AT_EMPTY_PATH) != 0) {
                atomic_store(&batch->failed, 1);
            }
            if (fd >= 0) close(fd);
        }
    }
}

static int Safe(FILE* in, const char* folder, struct Batch* batch, int jobs) {
    char line[4096];
    size_t capacity = 0;
    while (fgets(line, sizeof line, in) != NULL) {
        line[strcspn(line, "\r\n")] = '\0';
        if (batch->count == capacity) {
            capacity = capacity ? capacity * 2 : 1024;
            batch->names = realloc(batch->names, capacity * sizeof *batch->names);
            if (batch->names == NULL) return 1;
        }
        batch->names[batch->count++] = strdup(line);
    }
    batch->folder = open(folder, O_RDONLY | O_DIRECTORY);
    if (batch->folder < 0) return 1;
    pthread_t threads[64];
    if (jobs < 1 || jobs > 64) return 2;
    for (int i = 0; i < jobs; ++i) pthread_create(&threads[i], NULL, MakeSafely, batch);
    for (int i = 0; i < jobs; ++i) pthread_join(threads[i], NULL);
    return atomic_load(&batch->failed);
}

int main(int argc, char** argv) {
    const int safe = argc == 7 && strcmp(argv[5], "safe") == 0;
    if (argc < 3 || (argc > 5 && !safe)) {
        fprintf(stderr, "usage: qrbatch-floor INPUT DIR [BYTES [EXTENSION [safe JOBS]]]\n");
        return 2;
    }
    const size_t size = argc > 3 ? (size_t)strtoul(argv[3], NULL, 10) : 5662;
    const char* extension = argc > 4 ? argv[4] : ".jpg";
    FILE* in = fopen(argv[1], "rb");
    char* bytes = malloc(size ? size : 1);
    if (in == NULL || bytes == NULL) {
        perror(argv[1]);
        return 2;
    }
    memset(bytes, 0xA5, size);
    char line[4096];
    char path[8192];
    struct timespec start, end;
    clock_gettime(CLOCK_MONOTONIC, &start);
    int files = 0;
    if (safe) {
        struct Batch batch = {.bytes = bytes, .size = size, .extension = extension};
        if (Safe(in, argv[2], &batch, atoi(argv[6])) != 0) return 1;
        files = (int)batch.count;
    }
    while (!safe && fgets(line, sizeof line, in) != NULL) {
        line[strcspn(line, "\r\n")] = '\0';
        snprintf(path, sizeof path, "%s/%s%s", argv[2], line, extension);
        int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (fd < 0 || write(fd, bytes, size) != (ssize_t)size) return 1;
        close(fd);
        ++files;
    }
    clock_gettime(CLOCK_MONOTONIC, &end);
    fclose(in);
    free(bytes);
    printf("%d files in %.4f s\n", files,
           (double)(end.tv_sec - start.tv_sec) + (double)(end.tv_nsec - start.tv_nsec) / 1e9);
    return 0;
}
