/* The floor for the command-line batch: the same number of files under the same names, each
 * created and written with as many bytes as the tool writes on average (by default 5,662: a
 * 200 x 200 one-bit BMP), with nothing computed.
 * Usage: qrbatch-floor INPUT DIR [BYTES [EXTENSION]]; prints the seconds taken. */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 3 || argc > 5) {
        fprintf(stderr, "usage: qrbatch-floor INPUT DIR [BYTES [EXTENSION]]\n");
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
    while (fgets(line, sizeof line, in) != NULL) {
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
