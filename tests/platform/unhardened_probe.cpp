// Linked without any of the hardening the shipped images carry, so that the
// import check can be seen to refuse such an image.
int main() {
    return 0;
}
