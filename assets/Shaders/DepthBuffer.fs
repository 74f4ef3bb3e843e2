// The shadow pass writes depth only; the depth buffer is all the shadow target has.
void main()
{
}
