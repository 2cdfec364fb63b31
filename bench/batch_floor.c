/* The floor for the command-line batch: the same number of files under the same names, each
 * created and written with 5,662 bytes (a 200 x 200 one-bit BMP), with nothing computed.
 * Usage: qrbatch-floor INPUT DIR; prints the seconds taken. */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: qrbatch-floor INPUT DIR\n");
        return 2;
    }
    FILE* in = fopen(argv[1], "rb");
    if (in == NULL) {
        perror(argv[1]);
        return 2;
    }
    static char bytes[5662];
    memset(bytes, 0xA5, sizeof bytes);
    char line[4096];
    char path[8192];
    struct timespec start, end;
    clock_gettime(CLOCK_MONOTONIC, &start);
    int files = 0;
    while (fgets(line, sizeof line, in) != NULL) {
        line[strcspn(line, "\r\n")] = '\0';
        snprintf(path, sizeof path, "%s/%s.jpg", argv[2], line);
        int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (fd < 0 || write(fd, bytes, sizeof bytes) != (ssize_t)sizeof bytes) return 1;
        close(fd);
        ++files;
    }
    clock_gettime(CLOCK_MONOTONIC, &end);
    fclose(in);
    printf("%d files in %.4f s\n", files,
           (double)(end.tv_sec - start.tv_sec) + (double)(end.tv_nsec - start.tv_nsec) / 1e9);
    return 0;
}
