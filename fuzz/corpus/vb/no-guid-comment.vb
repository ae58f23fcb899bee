1
2
3
4
5
0.5
V
7
bara kommentar
*
1 2 3
*
