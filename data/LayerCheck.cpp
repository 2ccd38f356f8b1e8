// Linked with one data library whole: every call it makes must be met by the libraries it may
// reach, so a call into a later layer fails the build.
int main() {
    return 0;
}
