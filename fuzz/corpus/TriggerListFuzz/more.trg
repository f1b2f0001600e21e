%% tells you '%%'
say %0 said %1
101501
You are hungry
eat
100900
