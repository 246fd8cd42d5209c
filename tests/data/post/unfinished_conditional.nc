T1
Wafter
